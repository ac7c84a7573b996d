#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frame/ViewLayout.h"

namespace {

TEST(ViewLayout, MainWindowViewsFollowTheToolbarStatusBarAndSplitter) {
    struct Case {
        MainLayoutInput input;
        MainLayout expected;
    };
    const Case cases[] = {
            // Toolbar shown, status bar 20 high, 300 pixels right of the splitter.
            {{800, 600, true, 20, 300}, {{515, 67, 795, 600}, {10, 45, 510, 575}, {510, 45, 515, 575}}},
            // No toolbar buttons: the tabs start at 5; a hidden status bar takes nothing.
            {{640, 480, false, 0, 20}, {{635, 27, 635, 480}, {10, 5, 630, 475}, {630, 5, 635, 475}}},
            // At 200%: every margin and the toolbar's height twice as large.
            {{1600, 1200, true, 40, 600, 192}, {{1030, 134, 1590, 1200}, {20, 90, 1020, 1150}, {1020, 90, 1030, 1150}}},
    };
    for (const Case& c : cases) {
        const MainLayout layout = LayOutMainWindow(c.input);
        EXPECT_EQ(layout.picture, c.expected.picture) << c.input.width;
        EXPECT_EQ(layout.tabs, c.expected.tabs) << c.input.width;
        EXPECT_EQ(layout.splitter, c.expected.splitter) << c.input.width;
    }
}

TEST(ViewLayout, TheFindBoxAndTheListSitBelowTheTabsInsideTheTabStrip) {
    const ListArea area = ListAreaInTabs({0, 0, 500, 530});
    EXPECT_EQ(area.find, (Rect{10, 33, 466, 55}));
    EXPECT_EQ(area.clear, (Rect{468, 33, 490, 55}));
    EXPECT_EQ(area.list, (Rect{10, 59, 490, 530}));
    const ListArea large = ListAreaInTabs({0, 0, 1000, 1060}, 144);
    EXPECT_EQ(large.find, (Rect{15, 50, 949, 83}));
    EXPECT_EQ(large.list, (Rect{15, 89, 985, 1060}));
    // A tab strip too small for them gives nothing a negative size.
    const ListArea tiny = ListAreaInTabs({0, 0, 15, 40});
    EXPECT_GE(tiny.find.Width(), 0);
    EXPECT_GE(tiny.clear.Width(), 0);
    EXPECT_GE(tiny.list.Height(), 0);
}

TEST(ViewLayout, DroppingTheSplitterKeepsTwentyPixelsOnTheRightAndTheTabsTheirWidth) {
    const struct {
        int dropX;
        int splitter;
    } cases[] = {{500, 300}, {100, 700}, {0, 700}, {-300, 700}, {780, 20}, {790, 20}, {900, 20}};
    for (const auto& c : cases)
        EXPECT_EQ(SplitterAfterDrop(800, c.dropX), c.splitter) << c.dropX;
    // Too narrow for both sides: the picture side keeps its 20 pixels.
    EXPECT_EQ(SplitterAfterDrop(90, -10), 20);
}

TEST(ViewLayout, DragPositionsStayInsideTheParentWindow) {
    const struct {
        int x;
        int width;
        int clamped;
    } cases[] = {{-5, 800, 0}, {0, 800, 0}, {400, 800, 400}, {796, 800, 796}, {900, 800, 796}, {10, 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ClampSplitterDrag(c.x, c.width), c.clamped) << c.x << " in " << c.width;
}

TEST(ViewLayout, ReadingTheToolbarFoldsSeparatorRuns) {
    const ToolbarItem sep{true, 5};
    const struct {
        std::vector<ToolbarItem> items;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
            {{}, {}},
            {{sep}, {}},
            {{sep, sep, {false, 3}, sep}, {255, 3}},
            {{{false, 0}, {false, 1}, sep, sep, sep, {false, 2}}, {0, 1, 255, 2}},
            {{{false, 20}, sep, {false, 0}}, {20, 255, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldToolbarItems(c.items), c.bytes) << c.items.size();
}

TEST(ViewLayout, ToolbarBytesNamingNoTemplateBecomeSeparators) {
    const std::vector<std::uint8_t> bytes{0, 20, 21, 255};
    const std::vector<ToolbarItem> withTemplates{{false, 0}, {false, 20}, {true, 0}, {true, 0}};
    EXPECT_EQ(UnfoldToolbarBytes(bytes, 21), withTemplates);
    const std::vector<ToolbarItem> withoutTemplates(4, ToolbarItem{true, 0});
    EXPECT_EQ(UnfoldToolbarBytes(bytes, 0), withoutTemplates);
}

TEST(ViewLayout, AStoredToolbarReadsBackUnchanged) {
    const std::vector<std::uint8_t> stored{0, 1, 2, 3, 255, 4, 5, 255, 6, 7, 8, 9, 10};
    EXPECT_EQ(FoldToolbarItems(UnfoldToolbarBytes(stored, 21)), stored);
}

TEST(ViewLayout, StatusBarPartsShareTheWidthAndTheLastReachesTheBorder) {
    const struct {
        int width;
        std::vector<int> edges;
    } cases[] = {{400, {100, 300, -1}}, {3, {0, 2, -1}}, {1000, {250, 750, -1}}, {0, {}}, {-10, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(StatusPartEdges(kStatusPartPercentages, c.width), c.edges) << c.width;
    const std::uint8_t whole[] = {100};
    EXPECT_EQ(StatusPartEdges(whole, 400), std::vector<int>{-1});
}

}  // namespace
