#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace TQLibrary {

// Asks which of the listed categories the selected specimens move to. True for OK with at
// least one chosen, the chosen names in list order; OK with none chosen counts as Cancel.
// Read-only hides OK.
bool AskNewCategories(HWND owner, const std::vector<std::wstring>& listed, bool readOnly,
                      std::vector<std::wstring>& chosen);

}  // namespace TQLibrary
