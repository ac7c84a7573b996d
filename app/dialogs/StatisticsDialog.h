#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Specimen;

namespace TQLibrary {

// Specimen Statistics over the owner: the count and the totals of price and value of the
// specimens under the chosen category, quality and abundance, recounted as a choice changes.
// The specimens are read only while the dialog is up.
void ShowStatistics(HWND owner, const std::vector<Specimen>& specimens, const std::vector<std::wstring>& categories,
                    const std::wstring& currentCategory);

}  // namespace TQLibrary
