#pragma once

#include <windows.h>

namespace TQLibrary {

class VersionBlock;

// The About box: the program's icon, company, description, version and copyright from the
// version block (the names themselves where the block has none), and a Home Page button.
void ShowAbout(HWND owner, const VersionBlock& versions);

}  // namespace TQLibrary
