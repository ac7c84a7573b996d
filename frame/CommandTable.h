#pragma once

#include <optional>
#include <span>
#include <vector>

#include "resources/resource.h"

// The command vocabulary shared by the menus, the keys and the toolbar (the IDM_ identifiers of
// resource.h): one row per command says who handles it, what it does in a read-only catalog,
// when its menu item and toolbar button are enabled, its toolbar image and its tooltip. Menus,
// toolbar, tooltips, the read-only refusal and the dispatch all read this one table.

// The name of the program's icon and of its accelerator table.
inline constexpr wchar_t kProgramResourceName[] = L"ORVELLE";

// The file of handlers a command belongs to.
enum class CommandGroup {
    File,        // new, open, save as, restore, exit
    Categories,  // the tabs
    Specimens,   // the list's rows
    Exchange,    // export and import
    Tools,       // options, statistics, print, columns, toolbar, transfer
    Help,        // help, about, links, update
    History,     // undo and redo
};

// What a command does when the catalog file is read-only.
enum class ReadOnlyRule {
    Runs,            // as usual
    Refuses,         // shows "Read Only" and does nothing else
    PassesToDialog,  // runs; its dialog receives the read-only flag
    SkipsSaveIfDue,  // runs, but does not first save unsaved changes (New, Open)
};

// When a menu item or toolbar button is enabled. Fixed ones are never touched after the
// resource made them.
enum class EnableRule {
    Fixed,
    Always,
    WhenRestoreAvailable,  // backups are on and the catalog's backup file exists
    WhenAnySelected,
    WhenOneSelected,
};

inline constexpr int kNoToolbarImage = -1;

struct CommandRow {
    int id;
    CommandGroup group;
    ReadOnlyRule readOnly;
    EnableRule menu;
    EnableRule toolbar;
    int toolbarImage;  // image i is icons IDI_TOOLBAR_FIRST + i and IDI_TOOLBAR_HOT_FIRST + i
    unsigned tooltip;  // 0 for none
};

std::span<const CommandRow> CommandTable();

// The row of a command; none for identifiers that are not commands.
const CommandRow* FindCommand(int id);

// Whether an identifier names a command the main window handles itself; anything else goes on
// to the default window procedure.
bool IsCommand(int id);

ReadOnlyRule ReadOnlyRuleOf(int command);

inline bool ReadOnlyRefused(int command) {
    return ReadOnlyRuleOf(command) == ReadOnlyRule::Refuses;
}

// One button the toolbar knows: image i runs a command.
struct ToolbarButton {
    int image;
    int command;
};

// Every toolbar button, by image.
std::vector<ToolbarButton> ToolbarButtons();

// The text naming a button in the toolbar's customisation dialog.
constexpr unsigned ToolbarLabelId(int image) {
    return IDS_TOOLBAR_LABEL_FIRST + static_cast<unsigned>(image);
}

// A button's tooltip text, found by its command, as the tooltip asks for it; 0 for none.
unsigned TooltipId(int command);

// Enabled or disabled, for one command of a menu or the toolbar.
struct CommandState {
    int command;
    bool enabled;
};

// The states of every menu item (main menu and list context menu) whose rule is not fixed.
// restoreAvailable means backups are on and the catalog's backup file exists.
std::vector<CommandState> MenuStates(int selectionCount, bool restoreAvailable);

// The states of every toolbar button whose rule is not fixed. Unlike the menu, Edit stays
// enabled for several selected specimens.
std::vector<CommandState> ToolbarStates(int selectionCount, bool restoreAvailable);
