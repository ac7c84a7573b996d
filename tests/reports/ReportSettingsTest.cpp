#include <gtest/gtest.h>

#include <vector>

#include "catalog/Settings.h"
#include "reports/ReportSettings.h"

namespace {

TEST(ReportSettings, UnknownReportTypesPrintTheSummary) {
    EXPECT_EQ(ReportKindOf(1817), ReportKind::Summary);
    EXPECT_EQ(ReportKindOf(1808), ReportKind::Detail);
    EXPECT_EQ(ReportKindOf(1810), ReportKind::Labels);
    EXPECT_EQ(ReportKindOf(0), ReportKind::Summary);
    EXPECT_EQ(ReportKindOf(1809), ReportKind::Summary);
}

TEST(ReportSettings, LabelListsOfAnyLengthGiveFourLinesWithUsableSizes) {
    const struct {
        std::vector<int> fields;
        std::vector<int> sizes;
        std::array<LabelLine, 4> lines;
    } cases[] = {
            {{3, 7, 0, 0}, {16, 12, 12, 12}, {{{3, 16}, {7, 12}, {0, 12}, {0, 12}}}},
            {{}, {}, {{{3, 16}, {7, 12}, {0, 12}, {0, 12}}}},  // completed from defaults
            {{10, 23}, {72}, {{{10, 72}, {23, 12}, {0, 12}, {0, 12}}}},
            {{1, 2, 4, 5, 6, 9}, {10, 14, 18, 20, 22, 24}, {{{1, 10}, {2, 14}, {4, 18}, {5, 20}}}},  // cut
            {{3, 7, 0, 0}, {0, -5, 12, 0}, {{{3, 16}, {7, 12}, {0, 12}, {0, 12}}}},  // sizes 0 and below
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.reportLabels = c.fields;
        settings.reportSizes = c.sizes;
        EXPECT_EQ(LabelLines(settings), c.lines) << ::testing::PrintToString(c.fields);
        CompleteLabelLists(settings);
        ASSERT_EQ(settings.reportLabels.size(), 4u);
        ASSERT_EQ(settings.reportSizes.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(settings.reportLabels[i], c.lines[i].field);
            EXPECT_EQ(settings.reportSizes[i], c.lines[i].pointSize);
        }
    }
    EXPECT_FALSE((LabelLine{23, 12}.InUse()));
    EXPECT_FALSE((LabelLine{-1, 12}.InUse()));
    EXPECT_TRUE((LabelLine{22, 12}.InUse()));
}

TEST(ReportSettings, FieldAndSizeChoicesAreListedAsTheDialogShowsThem) {
    const auto fields = ReportFieldChoices();
    ASSERT_EQ(fields.size(), 24u);
    EXPECT_EQ(fields[0], (Choice{L"-- None --", 23}));
    EXPECT_EQ(fields[1], (Choice{L"Category", 0}));
    EXPECT_EQ(fields[2], (Choice{L"Collector", 1}));
    EXPECT_EQ(fields.back(), (Choice{L"User Field 5", 22}));
    const auto sizes = LabelSizeChoices();
    ASSERT_EQ(sizes.size(), 11u);
    EXPECT_EQ(sizes.front(), (Choice{L"10 pt", 10}));
    EXPECT_EQ(sizes.back(), (Choice{L"72 pt", 72}));
    // The font list leaves out the vertical-writing twins, which print boxes for letters.
    for (const wchar_t* face : {L"@Droid Sans Fallback", L"@MS Gothic", L""})
        EXPECT_FALSE(IsOfferedReportFont(face)) << face;
    for (const wchar_t* face : {L"Droid Sans Fallback", L"Times New Roman", L"A@B"})
        EXPECT_TRUE(IsOfferedReportFont(face)) << face;
}

}  // namespace
