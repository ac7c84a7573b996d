#include "frame/ViewLayout.h"

#include <algorithm>

#include "catalog/Settings.h"

namespace {

constexpr int kToolbarTop = 45;
constexpr int kPlainTop = 5;

Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

}  // namespace

MainLayout LayOutMainWindow(const MainLayoutInput& input) {
    const auto scaled = [&](int pixels) { return ScaledForDpi(pixels, input.dpi); };
    const int top = scaled(input.hasToolbarButtons ? kToolbarTop : kPlainTop);
    const int left = input.width - input.splitter;
    const int tabsHeight = input.height - input.statusHeight - top - scaled(5);
    MainLayout layout;
    // The picture box runs to the client bottom: the status bar covers its lower edge.
    layout.picture = FromSize(left + scaled(15), top + scaled(22), input.width - left - scaled(20),
                              input.height - (top + scaled(22)));
    layout.tabs = FromSize(scaled(10), top, left, tabsHeight);
    layout.splitter = FromSize(left + scaled(10), top, scaled(5), tabsHeight);
    return layout;
}

ListArea ListAreaInTabs(const Rect& tabClient, int dpi) {
    const auto scaled = [&](int pixels) { return ScaledForDpi(pixels, dpi); };
    const int left = tabClient.left + scaled(10);
    const int right = std::max(left, tabClient.right - scaled(10));
    const int top = tabClient.top + scaled(33);
    const int findBottom = top + scaled(kFindBoxHeight);
    const int clearLeft = std::max(left, right - scaled(kFindBoxHeight));
    return {{left, top, std::max(left, clearLeft - scaled(2)), findBottom},
            {clearLeft, top, right, findBottom},
            {left, findBottom + scaled(4), right, std::max(findBottom + scaled(4), tabClient.bottom)}};
}

int SplitterAfterDrop(int clientRight, int dropX) {
    // The tab strip keeps a usable width on the left, the picture side 20 pixels on the right;
    // in a window too narrow for both, the right side wins.
    const int widestPictureSide = clientRight - kMinimumTabsWidth;
    return std::max(Settings::kMinimumSplitter, std::min(clientRight - dropX, widestPictureSide));
}

int ClampSplitterDrag(int x, int parentWindowWidth) {
    return std::max(0, std::min(x, parentWindowWidth - kDragBarWidth));
}

std::vector<std::uint8_t> FoldToolbarItems(std::span<const ToolbarItem> items) {
    std::vector<std::uint8_t> bytes;
    bool separatorPending = false;
    for (const ToolbarItem& item : items) {
        if (item.separator) {
            separatorPending = true;
            continue;
        }
        if (separatorPending)
            bytes.push_back(Settings::kToolbarSeparator);
        separatorPending = false;
        bytes.push_back(static_cast<std::uint8_t>(item.image));
    }
    return bytes;
}

std::vector<ToolbarItem> UnfoldToolbarBytes(std::span<const std::uint8_t> bytes, int templateCount) {
    std::vector<ToolbarItem> items;
    items.reserve(bytes.size());
    for (std::uint8_t byte : bytes) {
        if (byte < templateCount)
            items.push_back({false, byte});
        else
            items.push_back({true, 0});
    }
    return items;
}

std::vector<int> StatusPartEdges(std::span<const std::uint8_t> percentages, int width) {
    std::vector<int> edges;
    if (width <= 0)
        return edges;
    int sum = 0;
    for (std::uint8_t percent : percentages) {
        sum += percent;
        edges.push_back(sum * width / 100);
    }
    if (!edges.empty())
        edges.back() = -1;
    return edges;
}
