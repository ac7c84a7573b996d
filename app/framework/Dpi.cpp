#include "app/framework/Dpi.h"

#include "app/framework/Program.h"

namespace TQLibrary {

namespace {

// Found at run time: Windows 7 and 8 have no per-monitor dpi.
using DpiForWindow = UINT(WINAPI*)(HWND);

DpiForWindow DpiForWindowFunction() {
    static const auto function = reinterpret_cast<DpiForWindow>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

FontHandle ScaledFont(LOGFONTW font, int dpi) {
    font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
    return FontHandle(CreateFontIndirectW(&font));
}

}  // namespace

int SystemDpi() {
    const WindowDC screen = WindowDC::OfClientArea(nullptr);
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

int WindowDpi(HWND window) {
    if (DpiForWindow function = DpiForWindowFunction(); function != nullptr && window != nullptr) {
        if (const UINT dpi = function(window); dpi > 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

FontHandle GuiFontForDpi(int dpi) {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) == 0)
        return FontHandle();
    return ScaledFont(font, dpi);
}

FontHandle IconTitleFontForDpi(int dpi) {
    LOGFONTW font{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0))
        return FontHandle();
    return ScaledFont(font, dpi);
}

IconHandle ProgramIconForDpi(const wchar_t* resource, bool small, int dpi) {
    const int size = MulDiv(small ? 16 : 32, dpi, 96);
    return IconHandle(static_cast<HICON>(LoadImageW(ProgramInstance(), resource, IMAGE_ICON, size, size, 0)));
}

}  // namespace TQLibrary
