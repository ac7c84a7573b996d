#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "catalog/Specimen.h"

struct Settings;

// Which specimens a report prints, and in which order. The list refers to the catalog's own
// specimens, which stay where they are while one report is drawn.
using ReportSpecimens = std::vector<const Specimen*>;

// Every specimen of the category filter ("<All>" or nothing for all; a category name matched
// exactly, letter case included), in catalog order.
ReportSpecimens SpecimensInCategory(std::span<const Specimen> specimens, std::wstring_view categoryFilter);

// The specimens of the list's selected rows, in list order: for each id every specimen with
// that id, in catalog order. The category filter does not apply.
ReportSpecimens SpecimensWithIds(std::span<const Specimen> specimens, std::span<const std::int32_t> selectedIds);

// Sorts ascending by the field (0-22), keeping equal specimens in their order; any other
// field keeps the collected order. Texts compare ignoring case, Category as the joined
// names, Price, Value and Size as numbers, Order as an unsigned number, Mask No before Yes.
void SortReportSpecimens(ReportSpecimens& list, int field);

// The specimens of one Print command in print order: with REPORTSPECIMENS those of the
// category filter, else those of the selected rows; then sorted by REPORTSORT.
ReportSpecimens CollectReportSpecimens(std::span<const Specimen> specimens, const Settings& settings,
                                       std::wstring_view categoryFilter, std::span<const std::int32_t> selectedIds);

// A report's specimens copied, in print order, so that the report can be laid out, previewed
// and printed (on another thread) while a save renames the catalog's pictures under its lock.
class ReportCopy {
public:
    ReportCopy() = default;
    explicit ReportCopy(const ReportSpecimens& collected);
    ReportCopy(const ReportCopy&) = delete;
    ReportCopy& operator=(const ReportCopy&) = delete;

    // The copies in print order; they live as long as this.
    const ReportSpecimens& Specimens() const { return order_; }

private:
    std::vector<Specimen> copies_;
    ReportSpecimens order_;
};
