#pragma once

#include <string>

#include "reports/ReportPages.h"
#include "reports/ReportSelection.h"

class DrawingSurface;
struct Settings;

// Draws the report REPORTTYPE names (the summary for any unknown type) on a surface whose
// first page has been begun; the printer, the preview and the tests all come in here.
// pictureFolder is where pictures kept as files live, for the detail report.
ReportOutcome DrawReport(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens,
                         const std::wstring& pictureFolder);
