#include "frame/CategoryTabs.h"

#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "base/TextSplit.h"
#include "catalog/Catalog.h"
#include "resources/resource.h"

TabPlan PlanTabs(Catalog& catalog, std::wstring_view current) {
    const std::wstring all = LoadText(IDS_ALL_CATEGORIES);
    std::vector<std::wstring> named;
    for (const Specimen& specimen : catalog.Specimens()) {
        for (const std::wstring& category : specimen.categories) {
            if (!SameText(category, all))
                named.push_back(category);
        }
    }
    for (const std::wstring& category : named)
        catalog.AddCategory(category);

    TabPlan plan;
    plan.selected = -1;
    for (const std::wstring& category : catalog.Categories()) {
        if (SameText(category, all))
            continue;
        if (plan.selected < 0 && SameText(category, current))
            plan.selected = static_cast<int>(plan.names.size());
        plan.names.push_back(category);
    }
    plan.names.push_back(all);
    if (plan.selected < 0)
        plan.selected = static_cast<int>(plan.names.size()) - 1;
    return plan;
}

int NextTabIndex(const std::vector<std::wstring>& categories, std::wstring_view currentText) {
    for (size_t i = 0; i < categories.size(); ++i) {
        if (SameText(categories[i], currentText))
            return i + 1 < categories.size() ? static_cast<int>(i + 1) : 0;
    }
    return 0;
}

std::wstring ListedCategory(const Catalog& catalog, const std::wstring& name) {
    if (name == LoadText(IDS_ALL_CATEGORIES))
        return name;
    const std::vector<std::wstring>& categories = catalog.Categories();
    for (const std::wstring& category : categories) {
        if (SameText(category, name))
            return category;
    }
    return categories.empty() ? name : categories.front();
}

std::wstring CategoryCountText(std::wstring_view category, int count) {
    return std::wstring(category) + L": " + std::to_wstring(count);
}

std::wstring CategoryCountText(std::wstring_view category, int count, int shown) {
    return FillIn(LoadText(IDS_FILTERED_COUNT),
                  {std::wstring(category), std::to_wstring(shown), std::to_wstring(count)});
}
