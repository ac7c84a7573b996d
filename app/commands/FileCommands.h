#pragma once

#include <string>
#include <vector>

namespace TQLibrary {

class Application;

// Opens the catalog file as Open does once a file is chosen: the window shows it, it heads the
// recent catalogs, and the history starts empty. Callers have saved what was due.
void OpenCatalog(Application& application, const std::wstring& path);
// Files dropped on the main window: one catalog opens as Open opens it, or is imported with
// Shift held; one spreadsheet file is imported; anything else is refused with a message, and a
// read-only catalog refuses an import.
void OpenDroppedFiles(Application& application, const std::vector<std::wstring>& paths, bool shiftHeld);

}  // namespace TQLibrary
