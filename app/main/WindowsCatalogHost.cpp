#include "app/main/WindowsCatalogHost.h"

#include "app/main/BackgroundWork.h"
#include "app/main/Folders.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "resources/resource.h"

const wchar_t kApplicationKey[] = L"Software\\Brackenfield\\Orvelle";

namespace {

void StoreCatalogPath(const std::wstring& path) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return;
    TQLibrary::KeyHandle key(created);
    auto bytes = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    RegSetValueExW(key.Get(), L"Filename", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()), bytes);
}

}  // namespace

std::wstring StoredCatalogPath() {
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kApplicationKey, L"Filename", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
}

std::wstring MainWindowTitle(const std::wstring& path) {
    return LoadText(IDS_DISPLAY_NAME) + L" - " + path;
}

// The catalog asks while a worker reads it: the questions are the main window's thread's.
bool WindowsCatalogHost::AskYesNo(unsigned textId) {
    std::wstring text = LoadText(textId);
    std::wstring caption = LoadText(IDS_DISPLAY_NAME);
    bool yes = false;
    TQLibrary::RunOnUiThread([&] {
        yes = MessageBoxW(mainWindow_, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
    });
    return yes;
}

void WindowsCatalogHost::ShowInformation(const std::wstring& text) {
    std::wstring caption = LoadText(IDS_DISPLAY_NAME);
    TQLibrary::RunOnUiThread(
            [&] { MessageBoxW(mainWindow_, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION); });
}

std::wstring WindowsCatalogHost::DesktopFolder() {
    return UserDesktopFolder();
}

std::wstring WindowsCatalogHost::DataFolder() {
    return dataFolder_.empty() ? UserDataFolder() : dataFolder_;
}

void WindowsCatalogHost::FilePathChanged(const std::wstring& path) {
    StoreCatalogPath(path);
    if (mainWindow_ != nullptr)
        TQLibrary::RunOnUiThread([&] { SetWindowTextW(mainWindow_, MainWindowTitle(path).c_str()); });
}
