#pragma once

#include <windows.h>

#include <vector>

#include "catalog/Handles.h"

namespace TQLibrary {

// Shows a report's pages, one at a time with Previous and Next, before paper is spent: the
// pages drawn of pageCount in all. True when the user chose Print; Close and Escape are false.
bool PreviewReport(HWND owner, const std::vector<BitmapHandle>& pages, int pageCount, int pageWidth, int pageHeight);

}  // namespace TQLibrary
