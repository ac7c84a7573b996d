#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Choice.h"

struct Settings;

// The report choices as the reports and the report settings dialog use them. The settings
// hold them as read from the catalog file, where a damaged or hand-edited file may leave the
// label lists with any number of entries; everything here reads them safely.

// The report types are the identifiers of the dialog's radio buttons.
inline constexpr std::uint32_t kSummaryReport = 1817;
inline constexpr std::uint32_t kDetailReport = 1808;
inline constexpr std::uint32_t kSpecimenLabels = 1810;

enum class ReportKind { Summary, Detail, Labels };

// Any type but detail or labels prints the summary.
ReportKind ReportKindOf(std::uint32_t reportType);

inline constexpr int kLabelLineCount = 4;
inline constexpr std::array<int, kLabelLineCount> kDefaultLabelFields{3, 7, 0, 0};
inline constexpr std::array<int, kLabelLineCount> kDefaultLabelSizes{16, 12, 12, 12};

struct LabelLine {
    int field = 0;      // a field identifier; 23 (or anything outside 0-22) leaves the line out
    int pointSize = 0;  // always positive

    bool InUse() const;
    bool operator==(const LabelLine&) const = default;
};

// The four label lines: missing entries of REPORTLABELS and REPORTSIZE come from the defaults,
// extra ones are ignored, and a size of 0 or less is that line's default size.
std::array<LabelLine, kLabelLineCount> LabelLines(const Settings& settings);

// Makes REPORTLABELS and REPORTSIZE four entries long, as LabelLines reads them, so that the
// dialog shows and stores what the labels print.
void CompleteLabelLists(Settings& settings);

// The field list of the label-line and sort choices: "-- None --" (23), "Category" (0), then
// the fields 1 to 22 under their fixed names.
std::vector<Choice> ReportFieldChoices();
// The label sizes 10 to 72 as "10 pt" and so on.
std::vector<Choice> LabelSizeChoices();

// Whether the font list offers a face the system enumerates. A name starting with "@" is the
// vertical-writing twin of a CJK font, which prints every letter as an empty box.
bool IsOfferedReportFont(std::wstring_view face);
