#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "base/Handles.h"
#include "reports/DrawingSurface.h"
#include "reports/PageRecording.h"

namespace TQLibrary {

class GdiplusSession;

// The reports' drawing operations on a GDI device context: text with the fonts the reports
// ask for, lines with a solid black pen, and pictures decoded by GDI+. What a page is, is left
// to the two kinds below.
class DeviceSurface : public DrawingSurface {
public:
    DeviceSurface(const DeviceSurface&) = delete;
    DeviceSurface& operator=(const DeviceSurface&) = delete;

    DeviceMetrics Metrics() const override { return metrics_; }
    FontMetrics UseFont(const FontSpec& font) override;
    int TextWidth(std::wstring_view text) override;
    int TextHeight(std::wstring_view text, int width, unsigned flags) override;
    int DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) override;
    void DrawLine(int x0, int y0, int x1, int y1, int penWidth) override;
    PictureSize MeasurePicture(std::span<const std::uint8_t> bytes) override;
    void DrawPicture(std::span<const std::uint8_t> bytes, const Rect& box) override;

protected:
    // owned, when given, is the context itself, deleted after everything selected into it.
    DeviceSurface(HDC dc, DeviceMetrics metrics);
    DeviceSurface(MemoryDC owned, DeviceMetrics metrics);
    ~DeviceSurface();
    HDC Context() const { return dc_; }

private:
    // The last picture decoded: a page measures its picture and then draws it.
    bool DecodeOnce(std::span<const std::uint8_t> bytes);

    MemoryDC owned_;
    HDC dc_;
    DeviceMetrics metrics_;
    int savedState_;
    std::map<std::pair<std::wstring, int>, FontHandle> fonts_;
    std::map<int, UniqueHandle<NullIsNone<HPEN, &DeleteObject>>> pens_;
    std::unique_ptr<GdiplusSession> gdiplus_;
    std::vector<std::uint8_t> decodedBytes_;
    BitmapHandle decoded_;
    PictureSize decodedSize_;
};

// A printer's device context from the print dialog: pages are the job's pages. Once the flag
// is set, the next page end is refused, so the report stops and the job can be abandoned.
class PrinterSurface final : public DeviceSurface {
public:
    PrinterSurface(HDC printer, const std::atomic<bool>* cancelled);
    bool StartPage() override;
    bool EndPage() override;

private:
    const std::atomic<bool>* cancelled_;
};

// Pages drawn into bitmaps of a letter-sized sheet at the given resolution, white, for the
// preview and for pictures of the pages. Only the first pagesKept pages are kept; the others
// are drawn on a scratch sheet and counted.
class PageBitmaps final : public DeviceSurface {
public:
    PageBitmaps(int dpi, bool landscape, size_t pagesKept);
    ~PageBitmaps();
    bool StartPage() override;
    bool EndPage() override;

    const std::vector<BitmapHandle>& Pages() const { return pages_; }
    std::vector<BitmapHandle> TakePages() { return std::move(pages_); }
    int PageCount() const { return pageCount_; }
    int PageWidth() const { return Metrics().horzRes; }
    int PageHeight() const { return Metrics().vertRes; }

private:
    size_t pagesKept_;
    int pageCount_ = 0;
    BitmapHandle page_;
    BitmapHandle scratch_;
    HGDIOBJ replaced_ = nullptr;
    std::vector<BitmapHandle> pages_;
};

// Measures text on a letter-sized sheet at the given resolution, as a printer of that
// resolution would, with the screen's fonts; its pages are nowhere.
class LayoutSurface final : public DeviceSurface {
public:
    LayoutSurface(int dpi, bool landscape);
    bool StartPage() override { return true; }
    bool EndPage() override { return true; }
};

// A report laid out once for the preview and the printer alike: on a letter-sized sheet at a
// printer's resolution, so that the fonts are as large as on paper; each device draws the pages
// scaled to its own resolution.
class ReportLayout {
public:
    static constexpr int kDpi = 600;

    explicit ReportLayout(bool landscape) : landscape_(landscape), surface_(kDpi, landscape), pages_(surface_) {}
    ReportLayout(const ReportLayout&) = delete;
    ReportLayout& operator=(const ReportLayout&) = delete;

    // Where the report draws; its first page is begun.
    PageRecording& Pages() { return pages_; }
    const PageRecording& Pages() const { return pages_; }
    bool Landscape() const { return landscape_; }

private:
    bool landscape_;
    LayoutSurface surface_;
    PageRecording pages_;
};

// One page of a layout drawn on a white letter-sized bitmap at the given resolution; no bitmap
// when it cannot be made.
struct PagePicture {
    BitmapHandle bitmap;
    int width = 0;
    int height = 0;
};
PagePicture DrawPagePicture(const ReportLayout& layout, int page, int dpi);

// The screen's resolution, by which pictures in screen pixels are enlarged on paper.
DeviceMetrics MetricsOf(HDC dc);

}  // namespace TQLibrary
