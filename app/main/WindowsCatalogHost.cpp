#include "app/main/WindowsCatalogHost.h"

#include "app/main/BackgroundWork.h"
#include "app/main/Folders.h"
#include "app/main/ProgramIdentity.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kCatalogPathValue[] = L"Filename";

void StoreCatalogPath(const std::wstring& path) {
    TQLibrary::ProgramValues().WriteText(kCatalogPathValue, path);
}

}  // namespace

std::wstring StoredCatalogPath() {
    return TQLibrary::ProgramValues().ReadText(kCatalogPathValue);
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
