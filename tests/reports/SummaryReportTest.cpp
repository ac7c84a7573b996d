#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "reports/FakeSurface.h"
#include "reports/SummaryReport.h"

namespace {

// At 100 dots per inch in landscape the page is 50, 50, 1050, 800 and the font 16 high (8 wide
// per character); rows start 4 lines below the top, at 114.
constexpr int kFirstRowY = 114;
constexpr int kLine = 16;

struct Printed {
    FakeSurface surface{true};
    ReportOutcome outcome;
};

// Prints specimens tagged "T1", "T2", ... with the Tag and Remarks columns.
void PrintTagged(Printed& printed, const std::vector<std::wstring>& remarks) {
    std::vector<Specimen> specimens(remarks.size());
    ReportSpecimens list;
    for (size_t i = 0; i < specimens.size(); ++i) {
        specimens[i].tag = L"T" + std::to_wstring(i + 1);
        specimens[i].remarks = remarks[i];
        list.push_back(&specimens[i]);
    }
    Settings settings;
    settings.columns = {kFieldTag, kFieldRemarks};
    printed.outcome = PrintSummaryReport(printed.surface, settings, list);
}

std::wstring Words(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += i == 0 ? L"word" : L" word";
    return text;
}

TEST(SummaryReport, ColumnsKeepNaturalWidthsOrAreCutToAThirdTheRemainderOrScaled) {
    const struct {
        std::vector<int> widths;
        std::vector<int> expected;
    } cases[] = {
            {{}, {}},
            {{100, 200, 300}, {100, 200, 300}},             // narrower than the page
            {{400, 300, 300}, {400, 300, 300}},             // exactly the page
            {{100, 2000, 100}, {100, 800, 100}},            // one wide column: the remainder
            {{600, 600, 100}, {333, 567, 100}},             // a third, then the remainder
            {{1200, 400, 400, 400}, {250, 250, 250, 250}},  // thirds are not enough: scaled
            {{300, 300, 300, 300}, {250, 250, 250, 250}},   // none wider than a third: scaled
            {{3000, 3000, 3000, 10}, {330, 330, 330, 9}},   // thirds and scaling
    };
    for (const auto& c : cases) {
        std::vector<int> widths = c.widths;
        NarrowColumns(widths, 1000);
        EXPECT_EQ(widths, c.expected) << ::testing::PrintToString(c.widths);
    }
}

TEST(SummaryReport, AnEmptySelectionPrintsOnePageWithOnlyItsNumber) {
    Printed printed;
    PrintTagged(printed, {});
    ASSERT_EQ(printed.surface.pages.size(), 1u);
    EXPECT_EQ(printed.surface.TextsOf(0), std::vector<std::wstring>{L"Page 1"});
    EXPECT_EQ(printed.surface.pages[0].texts[0].box, (Rect{50, 50, 1050, 800}));
    EXPECT_EQ(printed.surface.pages[0].texts[0].flags, kTextRight | kTextBottom | kTextSingleLine);
    EXPECT_TRUE(printed.surface.pages[0].lines.empty());
    EXPECT_EQ(printed.outcome.pages, 1);
    EXPECT_EQ(printed.surface.misuses, 0);
}

TEST(SummaryReport, ARowIsOneLineHighOrItsTallestWrappedCellAndASixteenthOfAnInch) {
    const struct {
        int words;
        int height;
    } cases[] = {
            {0, kLine},          {1, kLine},          {24, kLine},  // 24 words fill the cell's line exactly
            {25, 2 * kLine + 6}, {60, 3 * kLine + 6},
    };
    for (const auto& c : cases) {
        Printed printed;
        PrintTagged(printed, {Words(c.words), L""});
        const auto* first = printed.surface.Find(0, L"T1");
        const auto* second = printed.surface.Find(0, L"T2");
        ASSERT_TRUE(first && second) << c.words;
        EXPECT_EQ(first->box.top, kFirstRowY) << c.words;
        EXPECT_EQ(second->box.top - first->box.top, c.height) << c.words;
    }
}

// 41 one-line rows fill a page: after them the next row's footer space is gone.
TEST(SummaryReport, PagesBreakWhenFullRepeatTheHeadingAndNeverEndEmpty) {
    const struct {
        int rows;
        int pages;
    } cases[] = {{1, 1}, {40, 1}, {41, 1}, {42, 2}, {82, 2}, {83, 3}};
    for (const auto& c : cases) {
        Printed printed;
        PrintTagged(printed, std::vector<std::wstring>(static_cast<size_t>(c.rows)));
        const auto& pages = printed.surface.pages;
        ASSERT_EQ(static_cast<int>(pages.size()), c.pages) << c.rows;
        EXPECT_EQ(printed.outcome.pages, c.pages) << c.rows;
        EXPECT_EQ(printed.surface.misuses, 0) << c.rows;
        for (size_t p = 0; p < pages.size(); ++p) {
            const auto texts = printed.surface.TextsOf(p);
            ASSERT_GE(texts.size(), 4u);
            EXPECT_EQ(std::vector<std::wstring>(texts.begin(), texts.begin() + 3),
                      (std::vector<std::wstring>{L"Specimen Summary Report", L"Tag", L"Remarks"}));
            EXPECT_EQ(texts.back(), L"Page " + std::to_wstring(p + 1)) << c.rows;
            // The rule under the headings, then a line right of each column (full pages) or
            // between the columns (the last page).
            const auto& lines = pages[p].lines;
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines[0].y0, 50 + 3 * kLine);
            EXPECT_EQ(lines.size(), p + 1 < pages.size() || c.rows % 41 == 0 ? 3u : 2u) << c.rows << " " << p;
        }
        EXPECT_TRUE(printed.surface.Find(pages.size() - 1, L"T" + std::to_wstring(c.rows)));
    }
}

TEST(SummaryReport, ARowTallerThanTheSpaceLeftMovesToTheNextPage) {
    std::vector<std::wstring> remarks(40);
    remarks.push_back(Words(60));  // three lines, where only two are left
    Printed printed;
    PrintTagged(printed, remarks);
    ASSERT_EQ(printed.surface.pages.size(), 2u);
    EXPECT_FALSE(printed.surface.Find(0, L"T41"));
    EXPECT_TRUE(printed.surface.Find(0, L"Page 1"));
    ASSERT_TRUE(printed.surface.Find(1, L"T41"));
    EXPECT_EQ(printed.surface.Find(1, L"T41")->box.top, kFirstRowY);
    EXPECT_EQ(printed.surface.TextsOf(1).back(), L"Page 2");
    EXPECT_EQ(printed.surface.misuses, 0);
}

TEST(SummaryReport, ARowTallerThanAWholePageIsPrintedRatherThanMovedForever) {
    Printed printed;
    PrintTagged(printed, {Words(24 * 60)});
    EXPECT_EQ(printed.surface.pages.size(), 1u);
    EXPECT_TRUE(printed.surface.Find(0, L"T1"));
}

TEST(SummaryReport, ARefusedPageStopsTheReport) {
    Printed printed;
    printed.surface.refuseEndPageAt = 0;
    PrintTagged(printed, std::vector<std::wstring>(100));
    EXPECT_TRUE(printed.outcome.stopped);
    EXPECT_EQ(printed.surface.pages.size(), 1u);
    EXPECT_EQ(printed.surface.misuses, 0);
}

}  // namespace
