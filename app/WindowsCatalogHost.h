#pragma once

#include <windows.h>

#include "catalog/Catalog.h"

// The catalog's questions as real message boxes, and its file path in the registry and the
// main window's title.
class WindowsCatalogHost : public CatalogHost {
public:
    explicit WindowsCatalogHost(HWND mainWindow) : mainWindow_(mainWindow) {}

    bool AskYesNo(unsigned textId) override;
    void ShowInformation(const std::wstring& text) override;
    void FilePathChanged(const std::wstring& path) override;
    std::wstring DesktopFolder() override;
    std::wstring DataFolder() override;

private:
    HWND mainWindow_;
};

// The application's key under HKEY_CURRENT_USER.
extern const wchar_t kApplicationKey[];
// The main window's title for a catalog: the display name, " - " and the path.
std::wstring MainWindowTitle(const std::wstring& path);
