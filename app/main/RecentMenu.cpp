#include "app/main/RecentMenu.h"

#include <vector>

#include "app/main/ProgramIdentity.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

std::wstring ValueName(size_t index) {
    return L"Recent Catalog " + std::to_wstring(index + 1);
}

// The File menu: the pop-up that holds Exit.
HMENU FileMenu(HWND window) {
    HMENU bar = GetMenu(window);
    for (int i = 0; bar != nullptr && i < GetMenuItemCount(bar); ++i) {
        HMENU popup = GetSubMenu(bar, i);
        if (popup != nullptr && GetMenuState(popup, IDM_EXIT, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return popup;
    }
    return nullptr;
}

int PositionOf(HMENU menu, UINT command) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuItemID(menu, i) == command)
            return i;
    }
    return -1;
}

}  // namespace

void RecentMenu::Load(HWND window) {
    RegistryValues values = ProgramValues();
    std::vector<std::wstring> stored;
    for (size_t i = 0; i < RecentCatalogs::kMax; ++i)
        stored.push_back(values.ReadText(ValueName(i)));
    recent_ = RecentCatalogs(stored);
    Show(window);
}

void RecentMenu::Opened(HWND window, const std::wstring& path) {
    recent_.Opened(path);
    Store();
    Show(window);
}

void RecentMenu::Remove(HWND window, const std::wstring& path) {
    recent_.Remove(path);
    Store();
    Show(window);
}

std::optional<std::wstring> RecentMenu::PathOf(int command) const {
    const int index = command - IDM_RECENT_FIRST;
    if (index < 0 || static_cast<size_t>(index) >= recent_.Paths().size())
        return std::nullopt;
    return recent_.Paths()[static_cast<size_t>(index)];
}

void RecentMenu::Store() const {
    RegistryValues values = ProgramValues();
    const std::vector<std::wstring>& paths = recent_.Paths();
    for (size_t i = 0; i < RecentCatalogs::kMax; ++i)
        values.WriteText(ValueName(i), i < paths.size() ? paths[i] : std::wstring());
}

// The items stand just above Exit, with a separator of their own below them.
void RecentMenu::Show(HWND window) {
    HMENU menu = FileMenu(window);
    if (menu == nullptr)
        return;
    for (size_t i = 0; i < shown_; ++i)
        DeleteMenu(menu, IDM_RECENT_FIRST + static_cast<UINT>(i), MF_BYCOMMAND);
    if (shown_ > 0)
        DeleteMenu(menu, static_cast<UINT>(PositionOf(menu, IDM_EXIT) - 1), MF_BYPOSITION);
    const std::vector<std::wstring>& paths = recent_.Paths();
    shown_ = paths.size();
    if (shown_ == 0)
        return;
    const UINT exit = static_cast<UINT>(PositionOf(menu, IDM_EXIT));
    InsertMenuW(menu, exit, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::wstring text = RecentCatalogs::MenuText(i, paths[i]);
        InsertMenuW(menu, exit + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, IDM_RECENT_FIRST + i, text.c_str());
    }
}

}  // namespace TQLibrary
