#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reports/DrawingSurface.h"
#include "reports/ReportPages.h"

class ProgressSink;

// A report laid out once and kept as what each page draws, in the layout surface's units. The
// preview and the printer both draw these pages, each scaled to its own resolution, so the
// preview shows exactly the pages that print, whatever either device rounds fonts to. Text is
// measured on the layout surface; pictures are only noted, and fetched when a page is drawn.
class PageRecording final : public DrawingSurface {
public:
    // Measures on the layout surface, which draws nothing; its metrics are the recording's.
    explicit PageRecording(DrawingSurface& layout);

    DeviceMetrics Metrics() const override { return metrics_; }
    FontMetrics UseFont(const FontSpec& font) override;
    int TextWidth(std::wstring_view text) override;
    int TextHeight(std::wstring_view text, int width, unsigned flags) override;
    int DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) override;
    void DrawLine(int x0, int y0, int x1, int y1, int penWidth) override;
    PictureSize MeasurePicture(std::span<const std::uint8_t> bytes) override;
    void DrawPicture(std::span<const std::uint8_t> bytes, const Rect& box) override;
    void DrawRequestedPicture(const PictureRequest& request) override;
    bool StartPage() override;
    bool EndPage() override;

    // The pages the report ended.
    int PageCount() const { return pagesEnded_; }
    // Draws one page on a surface whose page has been begun, scaled from the layout's
    // resolution to the surface's.
    void DrawPageOn(int page, DrawingSurface& target) const;

private:
    enum class Kind { Font, Text, Line, Picture, PictureRequest };
    struct Step {
        Kind kind = Kind::Text;
        std::wstring text;
        Rect box;
        unsigned flags = 0;  // the text's flags, the line's pen width or the font's index
        std::vector<std::uint8_t> bytes;
        PictureRequest request;
    };
    std::vector<Step>& Current() { return pages_.back(); }

    DrawingSurface& layout_;
    DeviceMetrics metrics_;
    std::vector<FontSpec> fonts_;
    std::vector<std::vector<Step>> pages_{1};
    int pagesEnded_ = 0;
};

// Prints the recorded pages on a surface whose first page has been begun, ending each page and
// beginning the next, and reports the share done after each page. Stops when the device
// refuses a page.
ReportOutcome PrintRecordedPages(const PageRecording& recording, DrawingSurface& target, ProgressSink* progress);
