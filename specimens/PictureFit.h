#pragma once

#include "base/Geometry.h"

// Window-free arithmetic of pictures: where a picture lies in its box, and how large the picture
// popup may grow.

// Where a picture of width × height lies in a box of boxWidth × boxHeight whose top-left corner
// is (left, top): never enlarged, proportions kept, in the box's top-left corner. A picture
// with no width or no height gives an empty placement at (left, top). Integer arithmetic,
// divisions truncating.
Rect FitPicture(int left, int top, int boxWidth, int boxHeight, int width, int height);

// The picture popup keeps its picture 10 pixels from the client area's edges.
inline constexpr int kPopupMargin = 10;

struct PopupFrame {
    int border = 0;     // half the difference between the window's and the client area's width
    int topFrame = 0;   // the window's height less the client area's, less border
    int workWidth = 0;  // the monitor's work area
    int workHeight = 0;
};

struct PopupLayout {
    int windowWidth = 0;
    int windowHeight = 0;
    int pictureWidth = 0;  // the picture as shown, from (kPopupMargin, kPopupMargin)
    int pictureHeight = 0;

    bool operator==(const PopupLayout&) const = default;
};

// The popup's window size for a picture of width × height: the picture at its own size with a
// margin around it, unless the window would then not fit in the work area; then the picture is
// fitted into what the work area leaves.
PopupLayout LayOutPicturePopup(int width, int height, const PopupFrame& frame);
