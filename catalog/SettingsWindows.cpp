#include "catalog/SettingsWindows.h"

namespace {

Rect ToRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void RememberWindowPlacement(Settings& settings, HWND window) {
    RECT windowRect;
    if (!GetWindowRect(window, &windowRect))
        return;
    RECT workArea;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0))
        workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    settings.RememberWindowRect(ToRect(windowRect), ToRect(workArea));
}

void ApplyWindowPlacement(const Settings& settings, HWND window) {
    if (settings.HasWindowPlacement()) {
        SetWindowPos(window, nullptr, settings.windowLeft, settings.windowTop, settings.windowWidth,
                     settings.windowHeight, SWP_NOZORDER);
    }
}
