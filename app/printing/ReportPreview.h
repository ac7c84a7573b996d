#pragma once

#include <windows.h>

namespace TQLibrary {

class ReportLayout;

// Shows a report's pages, one at a time with Previous and Next, before paper is spent. It opens
// at once: each page is drawn when it is shown, and the last few drawn are kept. True when the
// user chose Print; Close and Escape are false.
bool PreviewReport(HWND owner, const ReportLayout& layout);

}  // namespace TQLibrary
