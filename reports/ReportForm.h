#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Settings;

// The report choices as the report settings dialog edits them: a copy of the report settings,
// so that the dialog never touches the catalog's settings while the saver may be writing them.
struct ReportForm {
    std::uint32_t reportType = 0;
    bool allSpecimens = false;
    std::uint32_t sortField = 0;
    std::wstring font;
    std::vector<int> labelFields;  // four entries
    std::vector<int> labelSizes;   // four entries
    std::wstring categoryFilter;   // the category to print; not a setting

    bool operator==(const ReportForm&) const = default;
};

// What the dialog shows: the label lines as the labels print them (four, missing ones and sizes
// of 0 or less from the defaults), and the given category.
ReportForm ReportFormOf(const Settings& settings, const std::wstring& currentCategory);
// Stores every setting of the form; the category to print is not one.
void StoreReportForm(const ReportForm& form, Settings& settings);
