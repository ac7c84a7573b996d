#include "specimens/PictureFit.h"

#include <algorithm>
#include <cstdint>

Rect FitPicture(int left, int top, int boxWidth, int boxHeight, int width, int height) {
    if (width <= 0 || height <= 0)
        return {left, top, left, top};
    if (width <= boxWidth && height <= boxHeight)
        return {left, top, left + width, top + height};
    // Products in 64 bits: a large picture in a large box would overflow 32.
    const std::int64_t boxByHeight = std::int64_t{boxWidth} * height;
    const std::int64_t widthByBox = std::int64_t{width} * boxHeight;
    if (height > boxHeight && (width <= boxWidth || boxByHeight >= widthByBox))
        return {left, top, left + static_cast<int>(widthByBox / height), top + boxHeight};
    return {left, top, left + boxWidth, top + static_cast<int>(boxByHeight / width)};
}

PopupLayout LayOutPicturePopup(int width, int height, const PopupFrame& frame) {
    const int around = 2 * kPopupMargin;
    const int roomWidth = std::max(0, frame.workWidth - 2 * frame.border - around);
    const int roomHeight = std::max(0, frame.workHeight - frame.topFrame - around);
    const Rect shown = FitPicture(0, 0, roomWidth, roomHeight, width, height);
    return {shown.Width() + 2 * frame.border + around, shown.Height() + frame.topFrame + around, shown.Width(),
            shown.Height()};
}
