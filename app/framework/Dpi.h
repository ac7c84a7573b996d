#pragma once

#include <windows.h>

#include "base/Handles.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace TQLibrary {

// The dots per inch of the monitor the window is on where Windows says so per monitor (Windows
// 10 and later), else the screen's.
int WindowDpi(HWND window);
// The screen's dots per inch, which the system's fonts are made for.
int SystemDpi();
// The system font described by the stock object (DEFAULT_GUI_FONT) or, for the list, the icon
// title font, made anew at dpi: the same font the controls use by default, at the monitor's size.
FontHandle GuiFontForDpi(int dpi);
FontHandle IconTitleFontForDpi(int dpi);
// The program's icon at the size the system uses at dpi: small (16 at 96 dpi) or large (32).
IconHandle ProgramIconForDpi(const wchar_t* resource, bool small, int dpi);

}  // namespace TQLibrary
