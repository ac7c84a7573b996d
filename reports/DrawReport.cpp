#include "reports/DrawReport.h"

#include "catalog/Settings.h"
#include "reports/DetailReport.h"
#include "reports/ReportSettings.h"
#include "reports/SpecimenLabels.h"
#include "reports/SummaryReport.h"

ReportOutcome DrawReport(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens,
                         const std::wstring& pictureFolder) {
    switch (ReportKindOf(settings.reportType)) {
        case ReportKind::Detail:
            return PrintDetailReport(surface, settings, specimens, pictureFolder);
        case ReportKind::Labels:
            return PrintSpecimenLabels(surface, settings, specimens);
        case ReportKind::Summary:
            break;
    }
    return PrintSummaryReport(surface, settings, specimens);
}
