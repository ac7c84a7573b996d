#pragma once

// A rectangle in pixels, screen or client: left and top inside, right and bottom just outside,
// as the system's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The design's pixels at 96 dots per inch as pixels at dpi, rounded to the nearest.
inline constexpr int kDesignDpi = 96;
inline int ScaledForDpi(int pixels, int dpi) {
    return (pixels * dpi + (pixels < 0 ? -kDesignDpi : kDesignDpi) / 2) / kDesignDpi;
}
