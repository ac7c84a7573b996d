#pragma once

#include <array>
#include <iterator>
#include <string_view>

#include "resources/resource.h"

// The command vocabulary shared by the menus, the keys and the toolbar (the IDM_ identifiers of
// resource.h), and the rules that decide which commands are available.

// The name of the program's icon and of its accelerator table.
inline constexpr wchar_t kProgramResourceName[] = L"ORVELLE";

// Whether an identifier names a command the main window handles itself; anything else goes on
// to the default window procedure.
bool IsCommand(int id);

// One button the toolbar knows: image i (icons 5100+i and 5200+i) runs a command.
struct ToolbarButton {
    int image;
    int command;
};

inline constexpr ToolbarButton kToolbarButtons[] = {
        {0, IDM_ADD_SPECIMEN},
        {1, IDM_EDIT_SPECIMEN},
        {2, IDM_DELETE_SPECIMEN},
        {3, IDM_CHANGE_CATEGORY},
        {4, IDM_OPTIONS},
        {5, IDM_HELP},
        {6, IDM_ADD_CATEGORY},
        {7, IDM_EDIT_CATEGORY},
        {8, IDM_DELETE_CATEGORY},
        {9, IDM_MOVE_CATEGORY_LEFT},
        {10, IDM_MOVE_CATEGORY_RIGHT},
        {11, IDM_ABOUT},
        {12, IDM_EXIT},
        {13, IDM_EXPORT},
        {14, IDM_IMPORT},
        {15, IDM_NEW},
        {16, IDM_OPEN},
        {17, IDM_RESTORE_BACKUP},
        {18, IDM_STATISTICS},
        {19, IDM_EMAIL_SUPPORT},
        {20, IDM_CHECK_UPDATE},
};
inline constexpr int kToolbarButtonCount = static_cast<int>(std::size(kToolbarButtons));
static_assert(kToolbarButtonCount == 21);

// The text naming a button in the toolbar's customisation dialog.
constexpr unsigned ToolbarLabelId(int image) {
    return IDS_TOOLBAR_LABEL_FIRST + static_cast<unsigned>(image);
}

// A button's tooltip text, found by its command, as the tooltip asks for it.
constexpr unsigned TooltipId(int command) {
    return static_cast<unsigned>(command) + 20901;
}

// Enabled or disabled, for one command of a menu or the toolbar.
struct CommandState {
    int command;
    bool enabled;
};

// The main menu's (and the list context menu's) selection-dependent items: Restore from Backup,
// Change Category, Copy, Add, Delete and Edit Specimen. restoreAvailable means backups are on and
// the catalog's backup file can be read.
std::array<CommandState, 6> MenuStates(int selectionCount, bool restoreAvailable);

// The toolbar's selection-dependent buttons: Restore, Change Category, Add, Delete and Edit. Unlike
// the menu, Edit stays enabled for several selected specimens.
std::array<CommandState, 5> ToolbarStates(int selectionCount, bool restoreAvailable);

// What a command does when the catalog file is read-only.
enum class ReadOnlyRule {
    Runs,            // as usual
    Refuses,         // shows "Read Only" and does nothing else
    PassesToDialog,  // runs; its dialog receives the read-only flag
    SkipsSaveIfDue,  // runs, but does not first save unsaved changes (New, Open)
};

ReadOnlyRule ReadOnlyRuleOf(int command);

inline bool ReadOnlyRefused(int command) {
    return ReadOnlyRuleOf(command) == ReadOnlyRule::Refuses;
}

// Whether Import reads a file as comma-separated values: the name's last dot and the three
// characters after it are ".csv", ignoring case (so "a.CSV" and "a.csvx" are, "a" and "a.txt"
// are not).
bool IsCommaSeparatedName(std::wstring_view name);
