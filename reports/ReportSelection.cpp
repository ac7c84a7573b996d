#include "reports/ReportSelection.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/CategoryFilter.h"
#include "catalog/Settings.h"
#include "catalog/Specimen.h"

namespace {

bool IsNumberField(int field) {
    return field == kFieldPrice || field == kFieldValue || field == kFieldSize;
}

double NumberOf(const Specimen& specimen, int field) {
    const double number = field == kFieldPrice ? specimen.price : field == kFieldValue ? specimen.value : specimen.size;
    // A damaged file may hold a number that is not one; it goes first, so the sort's order
    // stays strict.
    return std::isnan(number) ? -INFINITY : number;
}

template <typename Key>
void SortByKey(ReportSpecimens& list, Key keyOf) {
    using KeyType = decltype(keyOf(*list.front()));
    std::vector<std::pair<KeyType, const Specimen*>> keyed;
    keyed.reserve(list.size());
    for (const Specimen* specimen : list)
        keyed.emplace_back(keyOf(*specimen), specimen);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        list[i] = keyed[i].second;
}

}  // namespace

ReportSpecimens SpecimensInCategory(std::span<const Specimen> specimens, std::wstring_view categoryFilter) {
    CategoryFilter filter(categoryFilter);
    ReportSpecimens list;
    for (const Specimen& specimen : specimens) {
        if (filter.Takes(specimen))
            list.push_back(&specimen);
    }
    return list;
}

ReportSpecimens SpecimensWithIds(std::span<const Specimen> specimens, std::span<const std::int32_t> selectedIds) {
    // One pass over the catalog however many rows are selected.
    std::unordered_map<std::int32_t, std::vector<const Specimen*>> byId;
    for (const Specimen& specimen : specimens)
        byId[specimen.id].push_back(&specimen);
    ReportSpecimens list;
    for (std::int32_t id : selectedIds) {
        auto found = byId.find(id);
        if (found != byId.end())
            list.insert(list.end(), found->second.begin(), found->second.end());
    }
    return list;
}

void SortReportSpecimens(ReportSpecimens& list, int field) {
    if (field < 0 || field >= kFieldNone || list.empty())
        return;
    if (IsNumberField(field)) {
        SortByKey(list, [field](const Specimen& s) { return NumberOf(s, field); });
    } else if (field == kFieldOrder) {
        SortByKey(list, [](const Specimen& s) { return static_cast<std::uint32_t>(s.order); });
    } else if (field == kFieldMask) {
        SortByKey(list, [](const Specimen& s) { return s.mask; });
    } else {
        SortByKey(list, [field](const Specimen& s) { return OrderKeyIgnoringCase(Catalog::FieldText(s, field)); });
    }
}

ReportSpecimens CollectReportSpecimens(std::span<const Specimen> specimens, const Settings& settings,
                                       std::wstring_view categoryFilter, std::span<const std::int32_t> selectedIds) {
    ReportSpecimens list = settings.reportSpecimens ? SpecimensInCategory(specimens, categoryFilter)
                                                    : SpecimensWithIds(specimens, selectedIds);
    SortReportSpecimens(list, static_cast<int>(std::min<std::uint32_t>(settings.reportSort, kFieldNone)));
    return list;
}

ReportCopy::ReportCopy(const ReportSpecimens& collected) {
    copies_.reserve(collected.size());
    for (const Specimen* specimen : collected)
        copies_.push_back(*specimen);
    for (const Specimen& copy : copies_)
        order_.push_back(&copy);
}
