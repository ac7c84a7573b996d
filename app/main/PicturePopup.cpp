#include "app/main/PictureView.h"

#include <algorithm>

#include "app/framework/Dialogs.h"
#include "base/Handles.h"
#include "resources/resource.h"
#include "specimens/PictureFit.h"

namespace TQLibrary {

namespace {

// Moves the window back into the work area where centring it over its owner pushed it out.
void KeepInWorkArea(HWND window) {
    RECT area = WorkArea();
    RECT placed;
    if (!GetWindowRect(window, &placed))
        return;
    int left = std::min<int>(placed.left, area.right - (placed.right - placed.left));
    int top = std::min<int>(placed.top, area.bottom - (placed.bottom - placed.top));
    left = std::max<int>(left, area.left);
    top = std::max<int>(top, area.top);
    if (left != placed.left || top != placed.top)
        SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The popup's record: the view it shows and where the picture lies in its client area.
struct PicturePopup {
    const PictureView& view;
    Rect shown;

    void OnInitDialog(HWND dialog) {
        SetWindowTextW(dialog, L"");
        RECT window;
        RECT client;
        if (!GetWindowRect(dialog, &window) || !GetClientRect(dialog, &client))
            return;
        const RECT area = WorkArea();
        PopupFrame frame;
        frame.border = ((window.right - window.left) - client.right) / 2;
        frame.topFrame = (window.bottom - window.top) - client.bottom - frame.border;
        frame.workWidth = area.right - area.left;
        frame.workHeight = area.bottom - area.top;
        const PopupLayout layout = LayOutPicturePopup(view.PictureWidth(), view.PictureHeight(), frame);
        SetWindowPos(dialog, nullptr, 0, 0, layout.windowWidth, layout.windowHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        shown = {kPopupMargin, kPopupMargin, kPopupMargin + layout.pictureWidth, kPopupMargin + layout.pictureHeight};
        MoveWindow(GetDlgItem(dialog, IDC_PICTURE_FRAME), shown.left, shown.top, shown.Width(), shown.Height(), FALSE);
        CentreOver(dialog);
        KeepInWorkArea(dialog);
    }

    bool OnMessage(HWND dialog, UINT message, WPARAM, LPARAM) {
        switch (message) {
            case WM_PAINT:
                OnPaint(dialog);
                return true;
            case WM_RBUTTONDOWN:
                EndDialog(dialog, IDCANCEL);
                return true;
            default:
                return false;
        }
    }

    void OnPaint(HWND dialog) const {
        PaintDC paint(dialog);
        if (paint.Get() != nullptr)
            view.PaintInto(paint.Get(), shown);
    }
};

}  // namespace

void ShowPicturePopup(HWND owner, const PictureView& view) {
    PicturePopup state{view, {}};
    RunDialog(owner, IDD_PICTURE_POPUP, state);
}

}  // namespace TQLibrary
