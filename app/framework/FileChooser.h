#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace TQLibrary {

// One line of a chooser's file-type list: what the user reads and the pattern ("*.xml").
using FileType = std::pair<std::wstring, std::wstring>;

// The file-type list as the file choosers take it: every description and pattern ended by a
// NUL, and one more NUL at the end.
std::wstring FileFilter(const std::vector<FileType>& types);

// The common file and folder choosers. Each returns the chosen path, or an empty text when
// the user cancels; the chosen path is also kept in path.
struct FileChooser {
    static constexpr size_t kMaxPath = 260;

    std::wstring filter;  // made with FileFilter
    std::wstring path;    // proposed to the user; at most kMaxPath characters
    std::wstring initialFolder;
    std::wstring defaultExtension;  // without the dot
    std::wstring title;
    // Follows the path in the question whether to replace a file that exists (ChooseSaveFile).
    std::wstring replaceQuestion;

    // Only a file that exists can be chosen.
    std::wstring ChooseOpenFile(HWND owner);
    // When the chosen file exists, asks whether to replace it: Yes takes it, No shows the
    // chooser again, Cancel gives up.
    std::wstring ChooseSaveFile(HWND owner);
    // Only folders of the file system count.
    std::wstring ChooseFolder(HWND owner);

private:
    bool RunFileDialog(HWND owner, bool save);
    // IDYES, IDNO or IDCANCEL.
    int AskToReplace(HWND owner) const;
};

}  // namespace TQLibrary
