#pragma once

#include <string>

namespace TQLibrary {

class Application;

// Opens the catalog file as Open does once a file is chosen: the window shows it, it heads the
// recent catalogs, and the history starts empty. Callers have saved what was due.
void OpenCatalog(Application& application, const std::wstring& path);

}  // namespace TQLibrary
