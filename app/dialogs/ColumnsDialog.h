#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace TQLibrary {

// The Customize Columns dialog: the user moves fields between the available and the displayed
// list and orders the displayed ones. Read-only hides OK. True for OK, with displayed replaced
// by the chosen fields in order; never with none.
bool CustomizeColumns(HWND owner, std::vector<std::uint8_t>& displayed, bool readOnly);

}  // namespace TQLibrary
