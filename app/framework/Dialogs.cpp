#include "app/framework/Dialogs.h"

#include "app/framework/Program.h"

namespace TQLibrary {

namespace {

RECT ScreenRect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The rectangle CentreOver centres in.
RECT CentringArea(HWND window) {
    HWND parent = GetParent(window);
    if (parent == nullptr || !IsWindowVisible(parent))
        return ScreenRect();
    RECT area{};
    GetWindowRect(parent, &area);
    RECT workArea = WorkArea();
    if (!PtInRect(&workArea, POINT{area.left, area.top}))
        return workArea;
    return area;
}

int Centred(LONG areaStart, LONG areaEnd, LONG size) {
    LONG start = areaStart + (areaEnd - areaStart - size) / 2;
    return start < 0 ? 0 : static_cast<int>(start);
}

}  // namespace

bool RunDialog(HWND owner, int dialogId, DLGPROC procedure, void* state) {
    if (owner == nullptr)
        owner = MainWindow();
    INT_PTR result = DialogBoxParamW(ProgramInstance(), MAKEINTRESOURCEW(dialogId), owner, procedure,
                                     reinterpret_cast<LPARAM>(state));
    return result == 1;
}

void ForgetDialogState(HWND dialog) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, 0);
}

void PrepareDialog(HWND dialog, bool readOnly) {
    CentreOver(dialog);
    if (!readOnly)
        return;
    // Hidden is not enough: Enter would still press it.
    HWND ok = GetDlgItem(dialog, IDOK);
    ShowWindow(ok, SW_HIDE);
    EnableWindow(ok, FALSE);
}

std::wstring ItemText(HWND dialog, int item) {
    HWND control = GetDlgItem(dialog, item);
    if (control == nullptr)
        return {};
    LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void CentreOver(HWND window) {
    RECT area = CentringArea(window);
    RECT own{};
    if (!GetWindowRect(window, &own))
        return;
    int x = Centred(area.left, area.right, own.right - own.left);
    int y = Centred(area.top, area.bottom, own.bottom - own.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

RECT WorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return ScreenRect();
    return area;
}

}  // namespace TQLibrary
