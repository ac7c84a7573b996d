#include "app/main/PictureView.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "app/framework/FileChooser.h"
#include "app/main/CatalogSession.h"
#include "app/main/SpecimenList.h"
#include "base/GdiplusSession.h"
#include "base/StringTable.h"
#include "catalog/PictureFiles.h"
#include "resources/resource.h"
#include "specimens/PictureFit.h"

namespace TQLibrary {

namespace {

namespace Flat = Gdiplus::DllExports;

// A stream over a copy of the bytes; the stream frees the copy.
StreamHandle StreamOverCopy(std::span<const std::uint8_t> bytes) {
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory)
        return {};
    void* data = GlobalLock(memory.Get());
    if (data == nullptr)
        return {};
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(memory.Get());
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory.Get(), TRUE, &stream)) || stream == nullptr)
        return {};
    memory.Take();
    return StreamHandle(stream);
}

// Draws the image over opaque black into a new screen-compatible bitmap of its own size.
BitmapHandle RenderImage(Gdiplus::GpImage* image, int width, int height) {
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    if (!screen)
        return {};
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory)
        return {};
    SelectedObject selected(memory.Get(), bitmap.Get());
    Gdiplus::GpGraphics* made = nullptr;
    if (Flat::GdipCreateFromHDC(memory.Get(), &made) != Gdiplus::Ok)
        return {};
    GdiplusGraphics graphics(made);
    Flat::GdipGraphicsClear(graphics.Get(), 0xFF000000);
    if (Flat::GdipDrawImageRectI(graphics.Get(), image, 0, 0, width, height) != Gdiplus::Ok)
        return {};
    return bitmap;
}

}  // namespace

// The decoded picture, or none when GDI+ cannot read the bytes.
BitmapHandle DecodePicture(std::span<const std::uint8_t> bytes, int& width, int& height) {
    if (bytes.empty() || bytes.size() > MAXDWORD)
        return {};
    StreamHandle stream = StreamOverCopy(bytes);
    if (!stream)
        return {};
    Gdiplus::GpImage* loaded = nullptr;
    if (Flat::GdipLoadImageFromStream(stream.Get(), &loaded) != Gdiplus::Ok)
        return {};
    // Released before the stream it reads from.
    GdiplusImage image(loaded);
    UINT imageWidth = 0;
    UINT imageHeight = 0;
    if (Flat::GdipGetImageWidth(image.Get(), &imageWidth) != Gdiplus::Ok ||
        Flat::GdipGetImageHeight(image.Get(), &imageHeight) != Gdiplus::Ok || imageWidth == 0 || imageHeight == 0 ||
        imageWidth > INT_MAX || imageHeight > INT_MAX)
        return {};
    width = static_cast<int>(imageWidth);
    height = static_cast<int>(imageHeight);
    return RenderImage(image.Get(), width, height);
}

PictureView::PictureView() : gdiplus_(std::make_unique<GdiplusSession>()) {}

// Here, where GdiplusSession is complete. The bitmap, a later member, goes before GDI+ stops.
PictureView::~PictureView() = default;

void PictureView::SetBox(int left, int top, int width, int height) {
    box_ = {left, top, left + width, top + height};
    Refit();
}

bool PictureView::Decode(HWND window, const std::vector<std::uint8_t>& bytes) {
    Invalidate(window);
    int width = 0;
    int height = 0;
    bitmap_ = DecodePicture(bytes, width, height);
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
    Refit();
    Invalidate(window);
    return HasPicture();
}

void PictureView::Clear(HWND window) {
    Invalidate(window);
    bitmap_.Reset();
    width_ = 0;
    height_ = 0;
    Refit();
    Invalidate(window);
}

bool PictureView::HitTest(int x, int y) const {
    return HasPicture() && placement_.left <= x && x <= placement_.right && placement_.top <= y &&
           y <= placement_.bottom;
}

void PictureView::PaintNaturalInBox(HDC dc) const {
    PaintThroughBuffer(dc, box_, std::min(width_, box_.Width()), std::min(height_, box_.Height()), false);
}

void PictureView::PaintFitted(HDC dc) const {
    PaintThroughBuffer(dc, placement_, width_, height_, true);
}

void PictureView::PaintInto(HDC dc, const Rect& target) const {
    PaintThroughBuffer(dc, target, width_, height_, true);
}

void PictureView::Refit() {
    placement_ = FitPicture(box_.left, box_.top, box_.Width(), box_.Height(), width_, height_);
}

void PictureView::Invalidate(HWND window) const {
    if (window == nullptr || placement_.Width() <= 0 || placement_.Height() <= 0)
        return;
    const RECT area{placement_.left, placement_.top, placement_.right, placement_.bottom};
    InvalidateRect(window, &area, TRUE);
}

void PictureView::PaintThroughBuffer(HDC dc, const Rect& target, int sourceWidth, int sourceHeight,
                                     bool stretch) const {
    const int width = target.Width();
    const int height = target.Height();
    if (width <= 0 || height <= 0)
        return;
    MemoryDC buffer(CreateCompatibleDC(dc));
    BitmapHandle canvas(CreateCompatibleBitmap(dc, width, height));
    if (!buffer || !canvas)
        return;
    SelectedObject selectedCanvas(buffer.Get(), canvas.Get());
    const RECT all{0, 0, width, height};
    BrushHandle face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(buffer.Get(), &all, face.Get());
    if (bitmap_ && sourceWidth > 0 && sourceHeight > 0)
        DrawBitmap(buffer.Get(), stretch ? width : sourceWidth, stretch ? height : sourceHeight, sourceWidth,
                   sourceHeight);
    BitBlt(dc, target.left, target.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

void PictureView::DrawBitmap(HDC target, int width, int height, int sourceWidth, int sourceHeight) const {
    MemoryDC source(CreateCompatibleDC(target));
    if (!source)
        return;
    SelectedObject selected(source.Get(), bitmap_.Get());
    SetStretchBltMode(target, COLORONCOLOR);
    auto blit = [&](DWORD operation) {
        StretchBlt(target, 0, 0, width, height, source.Get(), 0, 0, sourceWidth, sourceHeight, operation);
    };
    if (!transparent_) {
        blit(SRCCOPY);
        return;
    }
    // XOR, AND, XOR leaves background AND picture: ((b ^ p) & p) ^ p == b & p.
    for (DWORD operation : {SRCINVERT, SRCAND, SRCINVERT})
        blit(operation);
}

bool ChoosePictureFile(HWND owner, const std::wstring& startFolder, std::wstring& path) {
    FileChooser chooser;
    chooser.filter = FileFilter({{LoadText(IDS_PICTURE_FILES), LoadText(IDS_PICTURE_PATTERNS)},
                                 {LoadText(IDS_ALL_PICTURE_FILES), LoadText(IDS_ALL_PICTURE_PATTERN)}});
    chooser.initialFolder = startFolder;
    chooser.title = LoadText(IDS_CHOOSE_PICTURE);
    const std::wstring chosen = chooser.ChooseOpenFile(owner);
    if (chosen.empty())
        return false;
    path = chosen;
    return true;
}

std::vector<std::uint8_t> SelectedSpecimenPicture(CatalogSession& session, SpecimenList& list) {
    std::int32_t id = 0;
    std::wstring name;
    std::wstring catalogPath;
    {
        CatalogLockGuard guard(session.Lock());
        const Specimen* specimen = list.View().SelectedCount() == 1 ? list.SelectedSpecimen() : nullptr;
        if (specimen == nullptr)
            return {};
        if (!PictureOnlyInFolder(*specimen, session.CurrentSettings()))
            return specimen->pictureData;
        id = specimen->id;
        name = specimen->pictureName;
        catalogPath = session.CurrentCatalog().FilePath();
    }
    if (catalogPath.empty())
        return {};
    // Read without the lock, so a silent save is not held up by the disk; the bytes join the
    // specimen under it, unless it changed meanwhile.
    std::vector<std::uint8_t> bytes = ReadPictureFile(PictureFolderOf(catalogPath), name);
    if (!bytes.empty()) {
        CatalogLockGuard guard(session.Lock());
        Specimen* specimen = session.CurrentCatalog().FindSpecimen(id);
        if (specimen != nullptr && specimen->pictureData.empty() && specimen->pictureName == name)
            specimen->pictureData = bytes;
    }
    return bytes;
}

}  // namespace TQLibrary
