#include "app/framework/TQTabWin.h"

#include <commctrl.h>

#include "app/framework/CommonControls.h"
#include "app/framework/Program.h"

namespace TQLibrary {

namespace {

constexpr int kTextBufferLength = 4096;

// The size that version 5 of the common controls accepts as well as version 6.
TTTOOLINFOW ToolInfo(HWND toolWindow) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = toolWindow;
    return info;
}

}  // namespace

TQTabWin::TQTabWin() {
    InitialiseCommonControls();
}

bool TQTabWin::Create(HWND parent, int id) {
    return Create(parent, id, 0, 0, 0, 0);
}

bool TQTabWin::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(),
                                  nullptr);
    if (window != nullptr) {
        // The dialog font rather than the bold system font.
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    return Bind(window);
}

void TQTabWin::Place(int x, int y, int width, int height, HWND insertAfter) {
    TQWindow::Place(x, y, width, height, insertAfter);
    UpdateTooltipRect();
}

bool TQTabWin::AddTooltip(HINSTANCE instance, unsigned textId) {
    tooltip_.Reset();
    tipped_ = nullptr;
    HWND window = Window();
    if (window == nullptr)
        return false;
    OwnedWindow tooltip(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr));
    if (!tooltip)
        return false;
    SetWindowPos(tooltip.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    TTTOOLINFOW info = ToolInfo(window);
    info.uFlags = TTF_SUBCLASS;
    info.hinst = instance;
    info.lpszText = MAKEINTRESOURCEW(textId);
    ::GetClientRect(window, &info.rect);
    if (!SendMessageW(tooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        return false;
    tooltip_ = std::move(tooltip);
    tipped_ = window;
    return true;
}

void TQTabWin::UpdateTooltipRect() {
    if (!tooltip_)
        return;
    TTTOOLINFOW info = ToolInfo(tipped_);
    if (!SendMessageW(tooltip_.Get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
        return;
    ::GetClientRect(tipped_, &info.rect);
    SendMessageW(tooltip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void TQTabWin::InsertTab(int index, LPARAM parameter, const std::wstring& text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.lParam = parameter;
    SendMessageW(Window(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TQTabWin::ReplaceTabs(const std::vector<std::wstring>& texts) {
    if (Window() == nullptr)
        return;
    // The control lays every tab out again, measuring each text, after each one inserted: with
    // thousands of categories that grows with the square of their number. Inserted at a fixed
    // width, the tabs are measured once, when the style returns.
    const auto style = GetWindowLongPtrW(Window(), GWL_STYLE);
    SetRedraw(false);
    SetWindowLongPtrW(Window(), GWL_STYLE, style | TCS_FIXEDWIDTH);
    DeleteAllTabs();
    for (size_t index = 0; index < texts.size(); ++index)
        InsertTab(static_cast<int>(index), static_cast<LPARAM>(index), texts[index]);
    SetWindowLongPtrW(Window(), GWL_STYLE, style);
    if (!texts.empty())
        SetText(0, texts.front());
    SetRedraw(true);
    InvalidateRect(Window(), nullptr, TRUE);
}

void TQTabWin::DeleteAllTabs() {
    SendMessageW(Window(), TCM_DELETEALLITEMS, 0, 0);
}

void TQTabWin::DeleteCurrentTab() {
    auto index = static_cast<int>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    SendMessageW(Window(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    Select(index > 0 ? index - 1 : 0);
}

void TQTabWin::SetCurrentText(const std::wstring& text) {
    SetText(CurrentIndex(), text);
}

int TQTabWin::CurrentIndex() const {
    return Window() == nullptr ? -1 : static_cast<int>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0));
}

void TQTabWin::SetText(int index, const std::wstring& text) {
    if (Window() == nullptr || index < 0)
        return;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(Window(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TQTabWin::Select(int index) {
    if (Window() == nullptr)
        return;
    ShowWindow(Window(), SW_SHOW);
    SendMessageW(Window(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(Window(), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

std::wstring TQTabWin::CurrentText() const {
    auto index = static_cast<int>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0));
    if (Window() == nullptr || index < 0)
        return {};
    wchar_t text[kTextBufferLength] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kTextBufferLength;
    SendMessageW(Window(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.pszText != nullptr ? std::wstring(item.pszText) : std::wstring();
}

LPARAM TQTabWin::CurrentParameter() const {
    auto index = static_cast<int>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0));
    if (Window() == nullptr || index < 0)
        return 0;
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(Window(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

int TQTabWin::TabCount() const {
    return Window() == nullptr ? 0 : static_cast<int>(SendMessageW(Window(), TCM_GETITEMCOUNT, 0, 0));
}

}  // namespace TQLibrary
