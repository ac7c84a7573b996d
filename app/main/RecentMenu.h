#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "frame/RecentCatalogs.h"

namespace TQLibrary {

// The last catalogs opened, listed in the File menu above Exit (IDM_RECENT_FIRST onwards) and
// kept per user in the program's registry key.
class RecentMenu {
public:
    // Reads the list and shows it in the window's File menu.
    void Load(HWND window);
    // The catalog goes to the top of the list.
    void Opened(HWND window, const std::wstring& path);
    void Remove(HWND window, const std::wstring& path);
    // The catalog of a recent item's command; none for another command.
    std::optional<std::wstring> PathOf(int command) const;

private:
    void Store() const;
    void Show(HWND window);

    RecentCatalogs recent_;
    size_t shown_ = 0;  // items in the menu now
};

}  // namespace TQLibrary
