#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"

// What the reports draw on. The layout of every page is computed by plain code against this
// interface, so that the printer, a bitmap for previews and a recording fake in the tests all
// get the same pages. Each operation is one GDI call (or a few) on a device context, so a
// printer surface implements it directly; all positions and sizes are device units. The names
// keep clear of the Win32 macros (DrawText, and SelectFont of <windowsx.h>), which would
// otherwise rename the methods in the files that include them.

// A font as CreateFontW takes it: height is the character height in device units (what
// CreateFontW gets as a negative height).
struct FontSpec {
    std::wstring face;
    int height = 0;
    bool bold = false;
    bool italic = false;

    bool operator==(const FontSpec&) const = default;
};

// GetTextMetricsW of the selected font: lineHeight is tmHeight + tmExternalLeading.
struct FontMetrics {
    int lineHeight = 0;
    int averageWidth = 0;
};

// GetDeviceCaps: LOGPIXELSX/Y and HORZRES/VERTRES of the surface, and LOGPIXELSX/Y of the
// screen, by which pictures measured in screen pixels are enlarged for the surface.
struct DeviceMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int horzRes = 0;
    int vertRes = 0;
    int screenDpiX = 0;
    int screenDpiY = 0;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// DrawTextW's formats that the reports use; a surface maps each to its DT_ flag.
enum TextFlag : unsigned {
    kTextLeft = 0,                // DT_LEFT
    kTextCentre = 1u << 0,        // DT_CENTER
    kTextRight = 1u << 1,         // DT_RIGHT
    kTextBottom = 1u << 2,        // DT_BOTTOM, only with kTextSingleLine
    kTextSingleLine = 1u << 3,    // DT_SINGLELINE: line breaks are not honoured
    kTextWordBreak = 1u << 4,     // DT_WORDBREAK: wrapped at word ends to the rectangle's width
    kTextWordEllipsis = 1u << 5,  // DT_WORD_ELLIPSIS: a word too long for the width ends in "..."
};

// A picture whose place on the page depends on its pixel size: its bytes are fetched, and
// the picture decoded, only when the page is drawn, so laying out a report reads no picture.
struct PictureRequest {
    std::function<std::vector<std::uint8_t>()> bytes;
    std::function<std::optional<Rect>(PictureSize)> place;
};

class DrawingSurface {
public:
    virtual DeviceMetrics Metrics() const = 0;

    // Selects the font for the text operations that follow and returns its metrics.
    virtual FontMetrics UseFont(const FontSpec& font) = 0;
    // GetTextExtentPoint32W: the width of the text on one line in the selected font.
    virtual int TextWidth(std::wstring_view text) = 0;
    // DrawTextW with DT_CALCRECT: the height the text takes when drawn in a rectangle of that
    // width with those flags, nothing drawn.
    virtual int TextHeight(std::wstring_view text, int width, unsigned flags) = 0;
    // DrawTextW: draws inside the box (clipped to it) and returns the height of the text drawn.
    virtual int DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) = 0;

    // MoveToEx and LineTo with a solid black pen of that width.
    virtual void DrawLine(int x0, int y0, int x1, int y1, int penWidth) = 0;

    // The pixel size of a picture file's bytes; zero when they cannot be decoded.
    virtual PictureSize MeasurePicture(std::span<const std::uint8_t> bytes) = 0;
    // Draws the picture stretched to the box (BitBlt when the sizes agree, else StretchBlt).
    virtual void DrawPicture(std::span<const std::uint8_t> bytes, const Rect& box) = 0;
    // Fetches, measures, places and draws the picture; a surface that lays pages out for later
    // keeps the request instead.
    virtual void DrawRequestedPicture(const PictureRequest& request) {
        const std::vector<std::uint8_t> bytes = request.bytes();
        if (bytes.empty())
            return;
        if (const std::optional<Rect> box = request.place(MeasurePicture(bytes)))
            DrawPicture(bytes, *box);
    }

    // StartPage and EndPage; false when the device refuses, and then the report stops at once.
    // A surface may also refuse EndPage when the user cancels the job.
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;

protected:
    ~DrawingSurface() = default;
};
