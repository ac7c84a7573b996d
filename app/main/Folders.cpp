#include "app/main/Folders.h"

#include <windows.h>
#include <shlobj.h>

#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace {

using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

// SHGetFolderPathW, looked up at run time so a system without it still starts.
std::wstring SpecialFolder(int folder) {
    TQLibrary::ModuleHandle shell(LoadLibraryW(L"shell32.dll"));
    if (!shell)
        return {};
    auto getFolderPath = reinterpret_cast<GetFolderPathFunction>(
            reinterpret_cast<void*>(GetProcAddress(shell.Get(), "SHGetFolderPathW")));
    wchar_t path[MAX_PATH] = {};
    bool found = getFolderPath != nullptr && SUCCEEDED(getFolderPath(nullptr, folder, nullptr, 0, path));
    if (!found || path[0] == L'\0')
        return {};
    std::wstring result = path;
    EnsureTrailing(result, L'\\');
    return result;
}

std::wstring TemporaryFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH)
        return L"C:\\";
    std::wstring result(path, length);
    EnsureTrailing(result, L'\\');
    return result;
}

}  // namespace

std::wstring UserDataFolder() {
    const std::wstring company = LoadText(IDS_COMPANY_NAME);
    std::wstring folder = SpecialFolder(CSIDL_APPDATA | CSIDL_FLAG_CREATE);
    if (folder.empty())
        folder = TemporaryFolder() + company + L"\\";
    else
        folder += company + L"\\" + LoadText(IDS_PRODUCT_NAME) + L"\\";
    CreateFolderPath(folder, false);
    return folder;
}

std::wstring UserDesktopFolder() {
    return SpecialFolder(CSIDL_DESKTOP);
}
