#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "reports/ReportForm.h"

namespace TQLibrary {

// Runs Orvelle Reporting over the owner with the catalog's categories; true for OK, and the
// form then holds the choices. Cancel leaves the form as it was.
bool ChooseReport(HWND owner, const std::vector<std::wstring>& categories, ReportForm& form);

}  // namespace TQLibrary
