#include "app/framework/TQWindow.h"

#include <commctrl.h>

#include "app/framework/CommonControls.h"
#include "app/framework/WindowRecord.h"

namespace TQLibrary {

namespace {

// The size that version 5 of the common controls accepts as well as version 6.
TTTOOLINFOW ToolInfo(HWND toolWindow) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = toolWindow;
    return info;
}

}  // namespace

bool TQWindow::AddTooltip(HINSTANCE instance, unsigned textId) {
    WindowRecord& record = *record_;
    record.tooltip.reset();
    if (record.window == nullptr)
        return false;
    InitialiseCommonControls();
    OwnedWindow tooltipWindow(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                              CW_USEDEFAULT, CW_USEDEFAULT, record.window, nullptr, instance, nullptr));
    if (!tooltipWindow)
        return false;
    SetWindowPos(tooltipWindow.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    TTTOOLINFOW info = ToolInfo(record.window);
    info.uFlags = TTF_SUBCLASS;
    info.hinst = instance;
    info.lpszText = MAKEINTRESOURCEW(textId);
    ::GetClientRect(record.window, &info.rect);
    if (!SendMessageW(tooltipWindow.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        return false;
    record.tooltip = std::make_unique<Tooltip>(Tooltip{std::move(tooltipWindow), record.window, textId});
    return true;
}

void TQWindow::UpdateTooltipRect() {
    const Tooltip* tooltip = record_->tooltip.get();
    if (tooltip == nullptr)
        return;
    HWND tooltipWindow = tooltip->tooltipWindow.Get();
    TTTOOLINFOW info = ToolInfo(tooltip->toolWindow);
    if (!SendMessageW(tooltipWindow, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
        return;
    ::GetClientRect(tooltip->toolWindow, &info.rect);
    SendMessageW(tooltipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace TQLibrary
