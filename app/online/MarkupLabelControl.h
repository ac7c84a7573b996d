#pragma once

#include <windows.h>

namespace TQLibrary {

// Makes a static control draw its text as a markup label: bold, italic, underlined and
// coloured words inside <body>, wrapped at the control's edge. The control's previous window
// procedure is kept in its user data and gets every message the label does not handle.
bool MakeMarkupLabel(HWND control);

}  // namespace TQLibrary
