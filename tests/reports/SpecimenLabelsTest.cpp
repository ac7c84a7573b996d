#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "reports/FakeSurface.h"
#include "reports/SpecimenLabels.h"

namespace {

// At 100 dots per inch the portrait page is 50, 50, 800, 1050; 16 pt is 22 high and 12 pt 16,
// so the default four lines take 70 and a row of labels 92: eleven rows, 22 labels, a page.
struct Printed {
    FakeSurface surface;
    ReportOutcome outcome;
};

Printed PrintLabels(int count, const Settings& settings = Settings()) {
    std::vector<Specimen> specimens(static_cast<size_t>(count));
    ReportSpecimens list;
    for (size_t i = 0; i < specimens.size(); ++i) {
        specimens[i].commonName = L"Name " + std::to_wstring(i + 1);
        specimens[i].location = L"Place " + std::to_wstring(i + 1);
        specimens[i].categories = {L"Shells"};
        list.push_back(&specimens[i]);
    }
    Printed printed;
    printed.outcome = PrintSpecimenLabels(printed.surface, settings, list);
    return printed;
}

TEST(SpecimenLabels, LabelsFillPagesTwoByTwoAndTheLastFullPageIsNotFollowedByAnEmptyOne) {
    const struct {
        int labels;
        int pages;
    } cases[] = {{0, 1}, {1, 1}, {21, 1}, {22, 1}, {23, 2}, {44, 2}, {45, 3}};
    for (const auto& c : cases) {
        const Printed printed = PrintLabels(c.labels);
        ASSERT_EQ(static_cast<int>(printed.surface.pages.size()), c.pages) << c.labels;
        EXPECT_EQ(printed.surface.endedPages, c.pages) << c.labels;
        EXPECT_EQ(printed.surface.misuses, 0) << c.labels;
        if (c.labels > 0) {
            EXPECT_TRUE(printed.surface.Find(static_cast<size_t>(c.pages - 1), L"Name " + std::to_wstring(c.labels)));
        }
    }
}

TEST(SpecimenLabels, EachLabelStacksItsLinesAndTheRightOneStartsMidPage) {
    const Printed printed = PrintLabels(3);
    const struct {
        const wchar_t* text;
        int left;
        int top;
        int fontHeight;
    } expected[] = {
            {L"Name 1", 50, 50, 22},   {L"Place 1", 50, 72, 16}, {L"Shells", 50, 88, 16},   {L"Name 2", 425, 50, 22},
            {L"Place 2", 425, 72, 16}, {L"Name 3", 50, 142, 22}, {L"Place 3", 50, 164, 16},
    };
    for (const auto& e : expected) {
        const auto* text = printed.surface.Find(0, e.text);
        ASSERT_TRUE(text) << e.text;
        EXPECT_EQ(text->box, (Rect{e.left, e.top, 800, 1050})) << e.text;
        EXPECT_EQ(text->fontHeight, e.fontHeight) << e.text;
    }
    // Four lines each (Category twice), and nothing in the right half of the last row.
    EXPECT_EQ(printed.surface.pages[0].texts.size(), 12u);
}

TEST(SpecimenLabels, LinesSetToNoneAreLeftOutAndWithNoneInUseNothingIsPrinted) {
    Settings settings;
    settings.reportLabels = {23, 3, 23, 23};
    Printed printed = PrintLabels(2, settings);
    EXPECT_EQ(printed.surface.TextsOf(0), (std::vector<std::wstring>{L"Name 1", L"Name 2"}));
    EXPECT_EQ(printed.surface.Find(0, L"Name 1")->fontHeight, 16);

    settings.reportLabels = {23, 23, 23, 23};
    printed = PrintLabels(5, settings);
    ASSERT_EQ(printed.surface.pages.size(), 1u);
    EXPECT_TRUE(printed.surface.pages[0].texts.empty());
    EXPECT_EQ(printed.surface.endedPages, 1);
}

TEST(SpecimenLabels, ARefusedPageStopsTheLabels) {
    Printed printed;
    printed.surface.refuseEndPageAt = 0;
    std::vector<Specimen> specimens(60);
    ReportSpecimens list;
    for (const Specimen& specimen : specimens)
        list.push_back(&specimen);
    printed.outcome = PrintSpecimenLabels(printed.surface, Settings(), list);
    EXPECT_TRUE(printed.outcome.stopped);
    EXPECT_EQ(printed.surface.pages.size(), 1u);
    EXPECT_EQ(printed.surface.misuses, 0);
}

}  // namespace
