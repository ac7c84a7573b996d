#include "reports/ReportSettings.h"

#include "base/NumberFormat.h"
#include "base/StringTable.h"
#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "resources/resource.h"

namespace {

int EntryOr(const std::vector<int>& list, size_t index, int fallback) {
    return index < list.size() ? list[index] : fallback;
}

}  // namespace

ReportKind ReportKindOf(std::uint32_t reportType) {
    if (reportType == kDetailReport)
        return ReportKind::Detail;
    if (reportType == kSpecimenLabels)
        return ReportKind::Labels;
    return ReportKind::Summary;
}

bool LabelLine::InUse() const {
    return field >= 0 && field < kFieldNone;
}

std::array<LabelLine, kLabelLineCount> LabelLines(const Settings& settings) {
    std::array<LabelLine, kLabelLineCount> lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].field = EntryOr(settings.reportLabels, i, kDefaultLabelFields[i]);
        const int size = EntryOr(settings.reportSizes, i, kDefaultLabelSizes[i]);
        lines[i].pointSize = size > 0 ? size : kDefaultLabelSizes[i];
    }
    return lines;
}

void CompleteLabelLists(Settings& settings) {
    const auto lines = LabelLines(settings);
    settings.reportLabels.resize(kLabelLineCount);
    settings.reportSizes.resize(kLabelLineCount);
    for (size_t i = 0; i < lines.size(); ++i) {
        settings.reportLabels[i] = lines[i].field;
        settings.reportSizes[i] = lines[i].pointSize;
    }
}

std::vector<Choice> ReportFieldChoices() {
    std::vector<Choice> items{{LoadText(IDS_REPORT_NONE), kFieldNone}, {LoadText(IDS_CATEGORY), kFieldCategory}};
    for (int field = 1; field < kFieldCount; ++field)
        items.push_back({LoadText(IDS_FIELD_CAPTION_FIRST + static_cast<unsigned>(field)), field});
    return items;
}

std::vector<Choice> LabelSizeChoices() {
    static constexpr int kSizes[] = {10, 12, 14, 16, 18, 20, 22, 24, 36, 48, 72};
    const std::wstring points = LoadText(IDS_REPORT_POINTS);
    std::vector<Choice> items;
    for (int size : kSizes)
        items.push_back({FormatInteger(size) + points, size});
    return items;
}

bool IsOfferedReportFont(std::wstring_view face) {
    return !face.empty() && face.front() != L'@';
}
