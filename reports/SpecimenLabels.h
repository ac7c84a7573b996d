#pragma once

#include "reports/ReportPages.h"
#include "reports/ReportSelection.h"

class DrawingSurface;
struct Settings;

// Specimen labels: two labels side by side, up to four lines each (REPORTLABELS and
// REPORTSIZE, read by LabelLines), as many rows of labels as fit on a portrait page. With no
// line in use nothing is drawn and the one page is ended empty. Draws every page, ending each,
// on a surface whose first page has been begun.
ReportOutcome PrintSpecimenLabels(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens);
