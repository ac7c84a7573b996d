#include "app/framework/FileChooser.h"

#include <commdlg.h>
#include <shlobj.h>

#include <memory>

#include "base/DataFile.h"

namespace TQLibrary {

namespace {

const wchar_t* OrNone(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Item lists from the shell go back to the shell's allocator.
struct ShellItemListFree {
    void operator()(ITEMIDLIST* list) const {
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
            allocator->Free(list);
            allocator->Release();
        }
    }
};
using ShellItemList = std::unique_ptr<ITEMIDLIST, ShellItemListFree>;

}  // namespace

std::wstring FileFilter(const std::vector<FileType>& types) {
    std::wstring filter;
    for (const auto& [description, pattern] : types) {
        filter += description;
        filter += L'\0';
        filter += pattern;
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

bool FileChooser::RunFileDialog(HWND owner, bool save) {
    wchar_t chosen[kMaxPath + 1] = {};
    path.copy(chosen, kMaxPath);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = OrNone(filter);
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = static_cast<DWORD>(kMaxPath + 1);
    dialog.lpstrInitialDir = OrNone(initialFolder);
    dialog.lpstrDefExt = OrNone(defaultExtension);
    dialog.lpstrTitle = OrNone(title);
    dialog.Flags = save ? OFN_HIDEREADONLY : OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
        return false;
    path = chosen;
    return true;
}

std::wstring FileChooser::ChooseOpenFile(HWND owner) {
    return RunFileDialog(owner, false) ? path : std::wstring();
}

std::wstring FileChooser::ChooseSaveFile(HWND owner) {
    for (;;) {
        if (!RunFileDialog(owner, true))
            return {};
        if (!FileExists(path))
            return path;
        int answer = AskToReplace(owner);
        if (answer == IDYES)
            return path;
        if (answer != IDNO)
            return {};
    }
}

int FileChooser::AskToReplace(HWND owner) const {
    std::wstring question = path + replaceQuestion;
    return MessageBoxW(owner, question.c_str(), title.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
}

std::wstring FileChooser::ChooseFolder(HWND owner) {
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = OrNone(title);
    browse.ulFlags = BIF_STATUSTEXT | BIF_NONEWFOLDERBUTTON;
    ShellItemList chosen(SHBrowseForFolderW(&browse));
    wchar_t folder[MAX_PATH] = {};
    if (!chosen || !SHGetPathFromIDListW(chosen.get(), folder))
        return {};
    path = folder;
    return path;
}

}  // namespace TQLibrary
