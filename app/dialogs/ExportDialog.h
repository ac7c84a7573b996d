#pragma once

#include <string>

namespace TQLibrary {

class Application;

// What Export Specimens chose: where, which category and in what form.
struct ExportChoice {
    std::wstring path;
    std::wstring filter;  // "<All>" or a category name
    bool allData = true;  // false: the list's columns only (comma-separated files)
    bool commaSeparated = false;
    bool exportPictures = false;  // picture files are copied beside the export
    bool preserveUnicode = false;
};

// Runs Export Specimens over the main window; true with the choice filled when the user pressed
// OK on a path. The folder of a file chosen with "..." becomes the last folder.
bool ChooseExport(Application& application, ExportChoice& choice);

}  // namespace TQLibrary
