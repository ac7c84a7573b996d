#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/framework/Dialogs.h"
#include "app/main/PictureView.h"
#include "resources/resource.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/PictureBytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using TQLibrary::PictureView;

// Handles messages already waiting, as the program's loop would.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool IsPicturePopup(HWND dialog) {
    return GetDlgItem(dialog, IDC_PICTURE_FRAME) != nullptr;
}

TEST(PictureView, DecodesBmpPngAndJpegAndFitsThemIntoItsBox) {
    PictureView view;
    const Bytes wide = PlainBmp(600, 300);
    const struct {
        const char* kind;
        Bytes bytes;
        Rect placement;
    } cases[] = {
            {"bmp", wide, {143, 42, 441, 191}},
            {"png", Encoded(PlainBmp(300, 600), L"image/png"), {143, 42, 264, 284}},
            {"jpeg", Encoded(PlainBmp(100, 50), L"image/jpeg"), {143, 42, 243, 92}},
            {"undecodable", {'n', 'o', 't', 0}, {143, 42, 143, 42}},
            {"cut short", Bytes(wide.begin(), wide.begin() + 40), {143, 42, 143, 42}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        view.SetBox(143, 42, 298, 242);
        const bool decodable = c.placement.Width() > 0;
        EXPECT_EQ(view.Decode(nullptr, c.bytes), decodable);
        EXPECT_EQ(view.HasPicture(), decodable);
        EXPECT_EQ(view.Placement(), c.placement);
        // A press on an empty placement opens nothing.
        EXPECT_EQ(view.HitTest(c.placement.right, c.placement.bottom), decodable);
        EXPECT_FALSE(view.HitTest(c.placement.right + 1, c.placement.top));
    }
    view.Decode(nullptr, wide);
    view.Clear(nullptr);
    EXPECT_FALSE(view.HasPicture());
    EXPECT_EQ(view.Placement(), (Rect{143, 42, 143, 42}));
}

TEST(PictureView, TransparentDrawingIsTheAndOfPictureAndButtonFace) {
    const std::uint32_t colours[] = {0xFFFFFF, 0x000000, 0xFF0000, 0x3C5A78};
    PictureView view;
    view.SetBox(1, 1, 6, 2);
    ASSERT_TRUE(view.Decode(nullptr, BmpFile(4, 1, [&](int x, int) { return colours[x]; })));

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    TQLibrary::BitmapHandle surface(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TQLibrary::MemoryDC dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(surface && dc);
    TQLibrary::SelectedObject selected(dc.Get(), surface.Get());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        view.SetTransparent(transparent);
        view.PaintNaturalInBox(dc.Get());
        for (int x = 0; x < 4; ++x) {
            const COLORREF picture = RGB(colours[x] >> 16, (colours[x] >> 8) & 0xFF, colours[x] & 0xFF);
            EXPECT_EQ(GetPixel(dc.Get(), 1 + x, 1), transparent ? (picture & face) : picture) << x;
        }
        EXPECT_EQ(GetPixel(dc.Get(), 5, 1), face);  // the box beside the picture
        EXPECT_EQ(GetPixel(dc.Get(), 1, 2), face);
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0));  // outside the box: untouched
    }
}

TEST(PictureView, ThePopupShowsTheWholePictureWithinTheWorkAreaAndEscapeOrARightClickClosesIt) {
    const RECT area = TQLibrary::WorkArea();
    const struct {
        int width;
        int height;
        UINT closing;  // WM_KEYDOWN (Escape) or WM_RBUTTONDOWN
    } cases[] = {{100, 50, WM_KEYDOWN}, {3000, 2000, WM_RBUTTONDOWN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        PictureView view;
        ASSERT_TRUE(view.Decode(nullptr, PlainBmp(c.width, c.height)));
        RECT window{};
        RECT client{};
        RECT frame{};
        DialogDriver driver(
                [&](HWND dialog) {
                    GetWindowRect(dialog, &window);
                    GetClientRect(dialog, &client);
                    GetWindowRect(GetDlgItem(dialog, IDC_PICTURE_FRAME), &frame);
                    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
                    if (c.closing == WM_KEYDOWN)
                        PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
                    else
                        PostMessageW(dialog, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
                },
                IsPicturePopup);
        TQLibrary::ShowPicturePopup(nullptr, view);
        ASSERT_TRUE(driver.Handled());
        EXPECT_GE(window.left, area.left);
        EXPECT_GE(window.top, area.top);
        EXPECT_LE(window.right, area.right);
        EXPECT_LE(window.bottom, area.bottom);
        EXPECT_EQ(frame.left, 10);
        EXPECT_EQ(frame.top, 10);
        // The height is measured as the frame's top part plus one side border, so the margin
        // below the picture is a border narrower.
        const int border = ((window.right - window.left) - client.right) / 2;
        EXPECT_EQ(client.right, frame.right + 10);
        EXPECT_EQ(client.bottom, frame.bottom + 10 - border);
        const int shownWidth = frame.right - frame.left;
        const int shownHeight = frame.bottom - frame.top;
        if (c.width < area.right - area.left) {
            EXPECT_EQ(shownWidth, c.width);
            EXPECT_EQ(shownHeight, c.height);
        } else {  // fitted, proportions kept
            EXPECT_LT(shownWidth, c.width);
            EXPECT_NEAR(shownWidth * c.height, shownHeight * c.width, c.width);
        }
    }
}

class PicturePaneTest : public LoadedProgramTest {
protected:
    void SelectRowOf(std::int32_t id) {
        TQLibrary::TQListView& list = App().List().View();
        for (int row = 0; row < list.RowCount(); ++row) {
            if (list.RowItemData(row) == id)
                program->SelectRows({row});
        }
        Pump();
    }
};

TEST_F(PicturePaneTest, TheSpecimenSelectedAloneShowsItsPictureReadOnceFromTheImagesFolder) {
    const Bytes shell = PlainBmp(60, 40);
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Images").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Images\\shell.bmp"), shell));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"outside.bmp"), shell));
    std::vector<Specimen> specimens(3);
    specimens[0].pictureName = L"shell.bmp";
    specimens[1].latinName = L"no picture";
    specimens[2].pictureName = L"..\\outside.bmp";  // never read from outside the Images folder
    ASSERT_TRUE(StartWith(specimens));
    SetWindowPos(program->Window(), nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    App().CurrentSettings().splitter = 300;  // the pane's width, less 20
    App().Relayout();
    const Catalog& catalog = App().CurrentCatalog();

    SelectRowOf(1);
    ASSERT_TRUE(App().Picture().HasPicture());
    EXPECT_EQ(catalog.FindSpecimen(1)->pictureData, shell);
    const Rect placement = App().Picture().Placement();
    EXPECT_EQ(placement.Width(), 60);
    EXPECT_EQ(placement.Height(), 40);

    // A press on the picture opens the popup.
    DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_RBUTTONDOWN, 0, 0); }, IsPicturePopup);
    SendMessageW(program->Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(placement.left + 5, placement.top + 5));
    EXPECT_TRUE(driver.Handled());

    SelectRowOf(2);
    EXPECT_FALSE(App().Picture().HasPicture());
    SelectRowOf(3);
    EXPECT_FALSE(App().Picture().HasPicture());
    EXPECT_TRUE(catalog.FindSpecimen(3)->pictureData.empty());

    // Several rows, or another tab, show no picture.
    SelectRowOf(1);
    EXPECT_TRUE(App().Picture().HasPicture());
    program->SelectRows({0, 1});
    Pump();
    EXPECT_FALSE(App().Picture().HasPicture());
}

}  // namespace
