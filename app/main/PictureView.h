#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "base/Handles.h"

namespace TQLibrary {

class CatalogSession;
class GdiplusSession;
class SpecimenList;

// A picture file's bytes (JPEG, PNG, BMP, GIF) decoded into a screen-compatible bitmap of its
// own size, transparent areas black; none when GDI+ cannot read them. GDI+ must be started.
BitmapHandle DecodePicture(std::span<const std::uint8_t> bytes, int& width, int& height);

// A specimen's picture decoded into a bitmap, fitted into a box and drawn: in the details
// dialog, in the main window's picture pane and in the picture popup. Every drawing goes
// through an off-screen bitmap over the button-face colour, so nothing flickers.
class PictureView {
public:
    PictureView();  // starts GDI+ for as long as the view lives
    ~PictureView();
    PictureView(const PictureView&) = delete;
    PictureView& operator=(const PictureView&) = delete;

    // The box the picture is fitted into, in the coordinates of the window it is drawn on.
    void SetBox(int left, int top, int width, int height);
    // Replaces the picture by the decoded bytes (JPEG, PNG, BMP, GIF); transparent areas become
    // black. False, with no picture, when the bytes cannot be decoded. The old and the new
    // placement are invalidated in the window (none when null).
    bool Decode(HWND window, const std::vector<std::uint8_t>& bytes);
    // Drops the picture and invalidates where it was.
    void Clear(HWND window);
    bool HasPicture() const { return static_cast<bool>(bitmap_); }
    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }
    // Where the fitted picture lies; empty without a picture.
    const Rect& Placement() const { return placement_; }

    // Drawn transparent, each pixel is the bitwise AND of the picture and the background:
    // white lets the background through.
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    bool Transparent() const { return transparent_; }
    // Whether (x, y) is on the placement of a picture.
    bool HitTest(int x, int y) const;

    // Paints the picture at its own size from the box's top-left corner, cut off at the box
    // (details dialog).
    void PaintNaturalInBox(HDC dc) const;
    // Paints the picture fitted: stretched to the placement (main window's pane).
    void PaintFitted(HDC dc) const;
    // Paints the whole picture stretched into the rectangle (the picture popup).
    void PaintInto(HDC dc, const Rect& target) const;

private:
    void Refit();
    void Invalidate(HWND window) const;
    // Draws the bitmap's source rectangle into (0, 0, width, height) of a memory context.
    void DrawBitmap(HDC target, int width, int height, int sourceWidth, int sourceHeight) const;
    // Paints through an off-screen bitmap the size of target, filled with the button face.
    void PaintThroughBuffer(HDC dc, const Rect& target, int sourceWidth, int sourceHeight, bool stretch) const;

    std::unique_ptr<GdiplusSession> gdiplus_;
    BitmapHandle bitmap_;
    int width_ = 0;
    int height_ = 0;
    Rect box_;
    Rect placement_;
    bool transparent_ = false;
};

// The picture of the specimen selected alone in the list, for the main window's pane: the bytes
// the specimen holds, or else its file in the catalog's picture folder, read once and then kept
// with the specimen. Empty without one selected specimen or without a picture.
std::vector<std::uint8_t> SelectedSpecimenPicture(CatalogSession& session, SpecimenList& list);

// Runs the picture popup modally over owner for the view's picture: the whole picture at its
// own size, or fitted into the monitor's work area when larger. Escape or a right click closes it.
void ShowPicturePopup(HWND owner, const PictureView& view);

// The open-file dialog for a specimen's picture; true with the chosen full path.
bool ChoosePictureFile(HWND owner, const std::wstring& startFolder, std::wstring& path);

}  // namespace TQLibrary
