#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/TextCompare.h"
#include "catalog/Specimen.h"
#include "specimens/ListColumns.h"

namespace {

TEST(ListColumns, DefaultColumnsShareTheClientWidth) {
    std::vector<int> widths(23, -1);
    const std::vector<std::uint8_t> displayed{10, 6, 3, 7, 16};
    EXPECT_EQ(ColumnWidths(widths, displayed, 507), std::vector<int>(5, 100));
    EXPECT_EQ(widths[10], 100);
    EXPECT_EQ(widths[0], -1);
}

TEST(ListColumns, OutOfRangeWidthsAreComputedAndZeroStays) {
    const struct {
        int recorded;
        int shown;
    } cases[] = {{-1, 200}, {-3, 200}, {5000, 200}, {4001, 200}, {4000, 4000}, {0, 0}, {150, 150}};
    for (const auto& c : cases) {
        std::vector<int> widths(23, 75);
        widths[6] = c.recorded;
        const std::vector<std::uint8_t> displayed{10, 6};
        EXPECT_EQ(ColumnWidths(widths, displayed, 402), (std::vector<int>{75, c.shown})) << c.recorded;
        EXPECT_EQ(widths[6], c.shown) << c.recorded;
    }
}

TEST(ListColumns, AFieldBeyondTheWidthsGetsTheShareAndNoColumnsGiveNoWidths) {
    std::vector<int> widths(23, -1);
    const std::vector<std::uint8_t> displayed{23};
    EXPECT_EQ(ColumnWidths(widths, displayed, 101), std::vector<int>{100});
    EXPECT_EQ(widths, std::vector<int>(23, -1));
    EXPECT_TRUE(ColumnWidths(widths, {}, 300).empty());
}

TEST(ListColumns, ClosingKeepsShownWidthsOnlyWhenTracking) {
    const std::vector<std::uint8_t> displayed{10, 6};
    const std::vector<int> shown{120, 0};
    std::vector<int> tracked(23, 50);
    SaveColumnWidths(tracked, displayed, true, shown);
    EXPECT_EQ(tracked[10], 120);
    EXPECT_EQ(tracked[6], 0);
    EXPECT_EQ(tracked[3], 50);
    std::vector<int> forgotten(23, 50);
    SaveColumnWidths(forgotten, displayed, false, shown);
    EXPECT_EQ(forgotten[10], -1);
    EXPECT_EQ(forgotten[6], -1);
    EXPECT_EQ(forgotten[3], 50);
}

TEST(ListColumns, HeadersUseUserCaptionsAndSizeUnits) {
    const std::array<std::wstring, 5> captions{L"Locality", L"U2", L"U3", L"U4", L"U5"};
    const struct {
        int field;
        const wchar_t* units;
        const wchar_t* caption;
    } cases[] = {
            {17, L"mm", L"Size (mm)"}, {17, L"", L"Size"}, {10, L"mm", L"Tag"}, {11, L"", L"Locality"},
            {12, L"", L"U2"},          {20, L"", L"U3"},   {21, L"", L"U4"},    {22, L"mm", L"U5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnCaption(c.field, captions, c.units), c.caption) << c.field;
}

TEST(ListColumns, CellsOrderByKeysAsTheirTextsDoIgnoringCase) {
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        int ascending;
    } cases[] = {
            {L"$10.00", L"$9.00", -1},      {L"", L"$9.00", -1},     {L"apple", L"Banana", -1},
            {L"cherry", L"Banana", 1},      {L"Apple", L"apple", 0}, {L"app", L"apple", -1},
            {L"\x00C9clair", L"eclair", 1},
    };
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(OrderKeyIgnoringCase(c.a).compare(OrderKeyIgnoringCase(c.b))), c.ascending) << c.a << " " << c.b;
        EXPECT_EQ(sign(OrderIgnoringCase(c.a, c.b)), c.ascending) << c.a << " " << c.b;
    }
}

TEST(ListColumns, HeaderClicksToggleTheSameColumnAndStartOthersAscending) {
    const struct {
        SortChoice before;
        int clicked;
        SortChoice after;
    } cases[] = {
            {{0, false}, 0, {0, true}},
            {{0, true}, 0, {0, false}},
            {{0, true}, 2, {2, false}},
            {{3, false}, 1, {1, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SortAfterHeaderClick(c.before, c.clicked), c.after) << c.clicked;
}

TEST(ListColumns, TheWheelScrollsFourteenPixelsPerGatheredNotch) {
    const struct {
        std::vector<int> deltas;
        std::vector<int> pixels;
        int remainder;
    } cases[] = {
            {{120}, {-14}, 0},          {{240}, {-28}, 0},  {{-120}, {14}, 0},   {{40, 40, 40}, {0, 0, -14}, 0},
            {{100, 100}, {0, -14}, 80}, {{130}, {-14}, 10}, {{-250}, {28}, -10}, {{119, -119}, {0, 0}, 0},
    };
    for (const auto& c : cases) {
        int accumulator = 0;
        std::vector<int> pixels;
        for (int delta : c.deltas)
            pixels.push_back(WheelScrollPixels(accumulator, delta));
        EXPECT_EQ(pixels, c.pixels) << c.deltas.front();
        EXPECT_EQ(accumulator, c.remainder) << c.deltas.front();
    }
}

TEST(ListColumns, RowCellsFollowTheDisplayedFieldsInOrder) {
    Specimen specimen;
    specimen.tag = L"T-7";
    specimen.latinName = L"Conus textile";
    specimen.price = 10;
    const std::vector<std::uint8_t> displayed{kFieldPrice, kFieldTag, 23, kFieldLatinName};
    EXPECT_EQ(RowTexts(specimen, displayed), (std::vector<std::wstring>{L"$10.00", L"T-7", L"", L"Conus textile"}));
    specimen.price = 0;  // no price: an empty cell, which sorts first
    EXPECT_EQ(RowTexts(specimen, displayed).front(), L"");
    EXPECT_TRUE(RowTexts(specimen, {}).empty());
}

}  // namespace
