#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reports/DrawingSurface.h"

// A drawing surface for the report tests. Text is measured by a fixed rule (every code unit is
// half the font's height wide, a line is the font's height high, wrapping breaks between words
// only), and whatever is drawn is recorded per page. A picture's bytes are fake: the first two
// pairs of bytes are its width and height, little-endian.
class FakeSurface : public DrawingSurface {
public:
    struct Text {
        std::wstring text;
        Rect box;
        unsigned flags = 0;
        int fontHeight = 0;
    };
    struct Line {
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        int width = 0;
    };
    struct Page {
        std::vector<Text> texts;
        std::vector<Line> lines;
        std::vector<Rect> pictures;
    };

    // 100 dots per inch on a letter-sized sheet, portrait, or landscape for the summary.
    explicit FakeSurface(bool landscape = false);

    DeviceMetrics Metrics() const override { return metrics; }
    FontMetrics UseFont(const FontSpec& font) override;
    int TextWidth(std::wstring_view text) override;
    int TextHeight(std::wstring_view text, int width, unsigned flags) override;
    int DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) override;
    void DrawLine(int x0, int y0, int x1, int y1, int penWidth) override;
    PictureSize MeasurePicture(std::span<const std::uint8_t> bytes) override;
    void DrawPicture(std::span<const std::uint8_t> bytes, const Rect& box) override;
    bool StartPage() override;
    bool EndPage() override;

    // The texts of a page, in drawing order; the first text drawn at that text, if any.
    std::vector<std::wstring> TextsOf(size_t page) const;
    const Text* Find(size_t page, std::wstring_view text) const;

    DeviceMetrics metrics;
    std::vector<Page> pages{1};  // the caller begins the first page before a report draws
    int endedPages = 0;
    int refuseEndPageAt = -1;  // the EndPage call (from 0) that the device refuses
    int misuses = 0;           // drawing or ending with no page begun, or beginning one twice

private:
    int CharWidth() const { return fontHeight_ / 2 > 0 ? fontHeight_ / 2 : 1; }
    int LineCount(std::wstring_view text, int width, unsigned flags) const;
    Page& Current();

    int fontHeight_ = 0;
    bool open_ = true;
    int endPageCalls_ = 0;
};

// Fake picture bytes for a picture of that pixel size.
std::vector<std::uint8_t> FakePicture(int width, int height);
