#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Geometry.h"

// Window-free arithmetic of the main window's chrome: where the views go, where the splitter
// may be dragged, how the toolbar's buttons are kept as a byte list, and the status bar's parts.

struct MainLayoutInput {
    int width = 0;   // client width; the client rectangle starts at 0, 0
    int height = 0;  // client height
    bool hasToolbarButtons = false;
    int statusHeight = 0;  // the status bar's client height when shown, else 0
    int splitter = 0;      // the SPLITTERBAR setting: the width kept free right of the splitter
    int dpi = kDesignDpi;  // the monitor's: the margins and the toolbar's height follow it
};

struct MainLayout {
    Rect picture;
    Rect tabs;
    Rect splitter;
};

// The rectangles of the picture box, the tab strip and the splitter, in client coordinates.
MainLayout LayOutMainWindow(const MainLayoutInput& input);

// The find box's height at 96 dpi, as its font needs it.
inline constexpr int kFindBoxHeight = 22;

// What sits inside the tab strip below the tabs: the find box with its square clear button on
// its right, and the list under them.
struct ListArea {
    Rect find;
    Rect clear;
    Rect list;
};

// The find box, its clear button and the list, from the tab strip's client rectangle (after it
// was moved), at the monitor's dpi.
ListArea ListAreaInTabs(const Rect& tabClient, int dpi = kDesignDpi);

// The tab strip is never dragged narrower than this.
inline constexpr int kMinimumTabsWidth = 100;

// The SPLITTERBAR setting after a drop at x (client coordinates): never below 20, and never so
// wide that the tab strip gets narrower than kMinimumTabsWidth.
int SplitterAfterDrop(int clientRight, int dropX);

// A drag position in the parent's window rectangle, kept within 0 .. width - 4.
int ClampSplitterDrag(int x, int parentWindowWidth);

// The drag bar is drawn 4 pixels wide at 96 dpi, centred on the drag position.
inline constexpr int kDragBarWidth = 4;

// One toolbar position as the toolbar control holds it.
struct ToolbarItem {
    bool separator = false;
    int image = 0;  // the button's image index; meaningless for a separator

    bool operator==(const ToolbarItem&) const = default;
};

// The TOOLBAR setting read from the toolbar: each button's image index, a run of separators
// before a button as one 255, trailing separators dropped.
std::vector<std::uint8_t> FoldToolbarItems(std::span<const ToolbarItem> items);

// The toolbar built from the TOOLBAR setting: a byte below templateCount is that button, any
// other byte a separator.
std::vector<ToolbarItem> UnfoldToolbarBytes(std::span<const std::uint8_t> bytes, int templateCount);

// The status bar's part right edges for a parent client width: cumulative percentages of the
// width, the last part reaching the right border (-1). Empty when the width is not positive,
// so the parts are left as they were.
std::vector<int> StatusPartEdges(std::span<const std::uint8_t> percentages, int width);

inline constexpr std::uint8_t kStatusPartPercentages[] = {25, 50, 25};
