#include "reports/Statistics.h"

#include "base/NumberFormat.h"
#include "base/StringTable.h"
#include "catalog/CategoryFilter.h"
#include "catalog/Specimen.h"
#include "resources/resource.h"

namespace {

// A filter text that is exactly "<All>" takes every specimen.
bool Takes(const std::wstring& filter, const std::wstring& allText, const std::wstring& text) {
    return filter == allText || text == filter;
}

std::wstring MoneyTotal(double amount) {
    std::wstring digits = FormatTwoDecimals(amount);
    // A total that rounds to nothing is not shown as "-0.00".
    if (digits == L"-0.00")
        digits = L"0.00";
    return LoadText(IDS_CURRENCY) + digits;
}

std::vector<Choice> NamedChoices(unsigned first, unsigned last) {
    std::vector<Choice> items{{LoadText(IDS_ALL_CATEGORIES), 0}};
    for (unsigned id = first; id <= last; ++id)
        items.push_back({LoadText(id), static_cast<int>(id - first + 1)});
    return items;
}

}  // namespace

StatisticsFigures ComputeStatistics(std::span<const Specimen> specimens, const StatisticsFilter& filter) {
    const std::wstring allText = LoadText(IDS_ALL_CATEGORIES);
    CategoryFilter categories(filter.category);
    StatisticsFigures figures;
    for (const Specimen& specimen : specimens) {
        if (!categories.Takes(specimen) || !Takes(filter.quality, allText, specimen.quality) ||
            !Takes(filter.abundance, allText, specimen.abundance))
            continue;
        ++figures.count;
        figures.cost += specimen.price;
        figures.value += specimen.value;
    }
    return figures;
}

StatisticsTexts StatisticsTextsOf(const StatisticsFigures& figures) {
    return {FormatInteger(figures.count), MoneyTotal(figures.cost), MoneyTotal(figures.value)};
}

std::vector<Choice> QualityChoices() {
    return NamedChoices(IDS_QUALITY_FIRST, IDS_QUALITY_LAST);
}

std::vector<Choice> AbundanceChoices() {
    return NamedChoices(IDS_ABUNDANCE_FIRST, IDS_ABUNDANCE_LAST);
}
