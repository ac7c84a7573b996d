#pragma once

#include <windows.h>

#include <string>

#include "catalog/Catalog.h"

// The catalog's questions as real message boxes, and its file path in the registry and the
// main window's title.
class WindowsCatalogHost : public CatalogHost {
public:
    // With an empty data folder, the user's own is used.
    explicit WindowsCatalogHost(HWND mainWindow, std::wstring dataFolder = L"")
        : mainWindow_(mainWindow), dataFolder_(std::move(dataFolder)) {}

    bool AskYesNo(unsigned textId) override;
    void ShowInformation(const std::wstring& text) override;
    void FilePathChanged(const std::wstring& path) override;
    std::wstring DesktopFolder() override;
    std::wstring DataFolder() override;

private:
    HWND mainWindow_;
    std::wstring dataFolder_;
};

// The main window's title for a catalog: the display name, " - " and the path.
std::wstring MainWindowTitle(const std::wstring& path);
// The "Filename" value of the application's key; empty when missing or unreadable.
std::wstring StoredCatalogPath();
