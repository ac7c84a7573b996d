#include "reports/ReportForm.h"

#include "catalog/Settings.h"
#include "reports/ReportSettings.h"

ReportForm ReportFormOf(const Settings& settings, const std::wstring& currentCategory) {
    ReportForm form;
    form.reportType = settings.reportType;
    form.allSpecimens = settings.reportSpecimens;
    form.sortField = settings.reportSort;
    form.font = settings.reportFont;
    for (const LabelLine& line : LabelLines(settings)) {
        form.labelFields.push_back(line.field);
        form.labelSizes.push_back(line.pointSize);
    }
    form.categoryFilter = currentCategory;
    return form;
}

void StoreReportForm(const ReportForm& form, Settings& settings) {
    settings.reportType = form.reportType;
    settings.reportSpecimens = form.allSpecimens;
    settings.reportSort = form.sortField;
    settings.reportFont = form.font;
    settings.reportLabels = form.labelFields;
    settings.reportSizes = form.labelSizes;
}
