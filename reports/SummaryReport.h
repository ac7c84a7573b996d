#pragma once

#include <string>
#include <vector>

#include "reports/ReportPages.h"
#include "reports/ReportSelection.h"

class DrawingSurface;
struct Settings;

// The summary report: a landscape table with one row per specimen and the list's columns.

// A column's heading: "Category" for field 0, else the field's fixed name (the user fields are
// "User Field 1" to "User Field 5" whatever the user calls them).
std::wstring SummaryHeading(int field);

// Fits the columns into the page width: a column wider than a third of the page is cut to a
// third, or to what the others leave when that is enough; when the columns are still too wide
// they are all scaled down alike. Columns that fit keep their widths.
void NarrowColumns(std::vector<int>& widths, int pageWidth);

// Draws every page, ending each, on a surface whose first page has been begun: the list's
// columns (COLS) in the REPORTFONT face.
ReportOutcome PrintSummaryReport(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens);
