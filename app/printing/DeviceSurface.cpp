#include "app/printing/DeviceSurface.h"

#include <algorithm>

#include "app/main/PictureView.h"
#include "base/GdiplusSession.h"

namespace TQLibrary {

namespace {

// Letter paper, as every report lays out its pages.
constexpr int kSheetWidthTenths = 85;
constexpr int kSheetHeightTenths = 110;

UINT FormatOf(unsigned flags) {
    // Never a prefix: "Smith & Jones" prints as written, not with an underlined space.
    UINT format = DT_NOPREFIX;
    if (flags & kTextCentre)
        format |= DT_CENTER;
    if (flags & kTextRight)
        format |= DT_RIGHT;
    if (flags & kTextBottom)
        format |= DT_BOTTOM;
    if (flags & kTextSingleLine)
        format |= DT_SINGLELINE;
    if (flags & kTextWordBreak)
        format |= DT_WORDBREAK;
    if (flags & kTextWordEllipsis)
        format |= DT_WORD_ELLIPSIS;
    return format;
}

int Length(std::wstring_view text) {
    return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

MemoryDC ScreenCompatibleDC() {
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    return MemoryDC(CreateCompatibleDC(screen.Get()));
}

DeviceMetrics SheetMetrics(int dpi, bool landscape) {
    DeviceMetrics metrics = MetricsOf(nullptr);
    metrics.dpiX = dpi;
    metrics.dpiY = dpi;
    metrics.horzRes = dpi * (landscape ? kSheetHeightTenths : kSheetWidthTenths) / 10;
    metrics.vertRes = dpi * (landscape ? kSheetWidthTenths : kSheetHeightTenths) / 10;
    return metrics;
}

}  // namespace

DeviceMetrics MetricsOf(HDC dc) {
    DeviceMetrics metrics;
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    HDC device = dc != nullptr ? dc : screen.Get();
    metrics.dpiX = GetDeviceCaps(device, LOGPIXELSX);
    metrics.dpiY = GetDeviceCaps(device, LOGPIXELSY);
    metrics.horzRes = GetDeviceCaps(device, HORZRES);
    metrics.vertRes = GetDeviceCaps(device, VERTRES);
    metrics.screenDpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    metrics.screenDpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return metrics;
}

DeviceSurface::DeviceSurface(HDC dc, DeviceMetrics metrics)
    : dc_(dc), metrics_(metrics), savedState_(SaveDC(dc)), gdiplus_(std::make_unique<GdiplusSession>()) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
}

DeviceSurface::DeviceSurface(MemoryDC owned, DeviceMetrics metrics) : DeviceSurface(owned.Get(), metrics) {
    owned_ = std::move(owned);
}

// The fonts and pens go back out of the context before they are deleted, and the context
// (when owned) after them.
DeviceSurface::~DeviceSurface() {
    if (savedState_ != 0)
        RestoreDC(dc_, savedState_);
    decoded_.Reset();
    pens_.clear();
    fonts_.clear();
}

FontMetrics DeviceSurface::UseFont(const FontSpec& font) {
    const int weight = font.bold ? FW_BOLD : FW_NORMAL;
    auto key = std::make_pair(font.face + (font.italic ? L"/i" : L"/") + std::to_wstring(weight), font.height);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        FontHandle made(CreateFontW(-font.height, 0, 0, 0, weight, font.italic ? TRUE : FALSE, FALSE, FALSE, 0,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS,
                                    font.face.c_str()));
        found = fonts_.emplace(std::move(key), std::move(made)).first;
    }
    if (found->second)
        SelectObject(dc_, found->second.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return {metrics.tmHeight + metrics.tmExternalLeading, metrics.tmAveCharWidth};
}

int DeviceSurface::TextWidth(std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), Length(text), &size);
    return size.cx;
}

int DeviceSurface::TextHeight(std::wstring_view text, int width, unsigned flags) {
    RECT box{0, 0, width, 0};
    DrawTextW(dc_, text.data(), Length(text), &box, FormatOf(flags) | DT_CALCRECT);
    return box.bottom - box.top;
}

int DeviceSurface::DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) {
    RECT rect{box.left, box.top, box.right, box.bottom};
    // DrawTextW may write the ellipsis into the text it is given: it gets a copy.
    std::wstring copy(text);
    return DrawTextW(dc_, copy.data(), Length(copy), &rect, FormatOf(flags));
}

void DeviceSurface::DrawLine(int x0, int y0, int x1, int y1, int penWidth) {
    auto found = pens_.find(penWidth);
    if (found == pens_.end())
        found = pens_.emplace(penWidth, CreatePen(PS_SOLID, penWidth, RGB(0, 0, 0))).first;
    if (found->second)
        SelectObject(dc_, found->second.Get());
    MoveToEx(dc_, x0, y0, nullptr);
    LineTo(dc_, x1, y1);
}

bool DeviceSurface::DecodeOnce(std::span<const std::uint8_t> bytes) {
    if (!std::equal(bytes.begin(), bytes.end(), decodedBytes_.begin(), decodedBytes_.end())) {
        decodedBytes_.assign(bytes.begin(), bytes.end());
        decodedSize_ = {};
        decoded_ = *gdiplus_ ? DecodePicture(bytes, decodedSize_.width, decodedSize_.height) : BitmapHandle();
        if (!decoded_)
            decodedSize_ = {};
    }
    return static_cast<bool>(decoded_);
}

PictureSize DeviceSurface::MeasurePicture(std::span<const std::uint8_t> bytes) {
    return DecodeOnce(bytes) ? decodedSize_ : PictureSize{};
}

void DeviceSurface::DrawPicture(std::span<const std::uint8_t> bytes, const Rect& box) {
    if (!DecodeOnce(bytes) || box.Width() <= 0 || box.Height() <= 0)
        return;
    MemoryDC source(CreateCompatibleDC(dc_));
    if (!source)
        return;
    SelectedObject selected(source.Get(), decoded_.Get());
    if (box.Width() == decodedSize_.width && box.Height() == decodedSize_.height) {
        BitBlt(dc_, box.left, box.top, box.Width(), box.Height(), source.Get(), 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, box.left, box.top, box.Width(), box.Height(), source.Get(), 0, 0, decodedSize_.width,
               decodedSize_.height, SRCCOPY);
}

PrinterSurface::PrinterSurface(HDC printer, const std::atomic<bool>* cancelled)
    : DeviceSurface(printer, MetricsOf(printer)), cancelled_(cancelled) {}

bool PrinterSurface::StartPage() {
    return ::StartPage(Context()) > 0;
}

bool PrinterSurface::EndPage() {
    if (cancelled_ != nullptr && *cancelled_)
        return false;
    return ::EndPage(Context()) > 0;
}

LayoutSurface::LayoutSurface(int dpi, bool landscape)
    : DeviceSurface(ScreenCompatibleDC(), SheetMetrics(dpi, landscape)) {}

PagePicture DrawPagePicture(const ReportLayout& layout, int page, int dpi) {
    PageBitmaps sheet(dpi, layout.Landscape(), 1);
    if (!sheet.StartPage())
        return {};
    layout.Pages().DrawPageOn(page, sheet);
    sheet.EndPage();
    std::vector<BitmapHandle> drawn = sheet.TakePages();
    if (drawn.empty())
        return {};
    return {std::move(drawn.front()), sheet.PageWidth(), sheet.PageHeight()};
}

PageBitmaps::PageBitmaps(int dpi, bool landscape, size_t pagesKept)
    : DeviceSurface(ScreenCompatibleDC(), SheetMetrics(dpi, landscape)), pagesKept_(pagesKept) {}

// A page still open goes out of the context before it is deleted.
PageBitmaps::~PageBitmaps() {
    if (page_)
        SelectObject(Context(), replaced_);
}

bool PageBitmaps::StartPage() {
    // Pages past those kept are drawn on one scratch sheet.
    if (pages_.size() >= pagesKept_ && scratch_) {
        page_ = std::move(scratch_);
    } else {
        WindowDC screen = WindowDC::OfClientArea(nullptr);
        page_ = BitmapHandle(CreateCompatibleBitmap(screen.Get(), PageWidth(), PageHeight()));
    }
    if (!page_)
        return false;
    replaced_ = SelectObject(Context(), page_.Get());
    PatBlt(Context(), 0, 0, PageWidth(), PageHeight(), WHITENESS);
    return true;
}

bool PageBitmaps::EndPage() {
    if (!page_)
        return false;
    SelectObject(Context(), replaced_);
    ++pageCount_;
    if (pages_.size() < pagesKept_)
        pages_.push_back(std::move(page_));
    else
        scratch_ = std::move(page_);
    return true;
}

}  // namespace TQLibrary
