#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Settings;

namespace TQLibrary {

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
};

ReportForm ReportFormOf(const Settings& settings, const std::wstring& currentCategory);
void StoreReportForm(const ReportForm& form, Settings& settings);

// Runs Orvelle Reporting over the owner with the catalog's categories; true for OK, and the
// form then holds the choices. Cancel leaves the form as it was.
bool ChooseReport(HWND owner, const std::vector<std::wstring>& categories, ReportForm& form);

}  // namespace TQLibrary
