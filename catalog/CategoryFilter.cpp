#include "catalog/CategoryFilter.h"

#include <algorithm>

#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "catalog/Specimen.h"
#include "resources/resource.h"

CategoryFilter::CategoryFilter(std::wstring_view filter)
    : filter_(filter), all_(filter.empty() || SameText(filter, LoadText(IDS_ALL_CATEGORIES))) {}

bool CategoryFilter::Takes(const Specimen& specimen) {
    return all_ || std::any_of(specimen.categories.begin(), specimen.categories.end(),
                               [this](const std::wstring& category) { return Matches(category); });
}

bool CategoryFilter::Matches(const std::wstring& category) {
    if (category == filter_)
        return true;
    auto known = answers_.find(category);
    if (known != answers_.end())
        return known->second;
    const bool same = SameText(category, filter_);
    answers_.emplace(category, same);
    return same;
}
