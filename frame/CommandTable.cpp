#include "frame/CommandTable.h"

#include <algorithm>
#include <iterator>

namespace {

using enum CommandGroup;
using enum ReadOnlyRule;
using enum EnableRule;

// Tooltips follow their command's identifier in the string table.
constexpr unsigned Tip(int command) {
    return static_cast<unsigned>(command) + 20901;
}

constexpr int kNone = kNoToolbarImage;

// Add, Delete and Copy Specimen, the category commands, Customize Columns and Toolbar, Import and
// Options change the catalog with no dialog that could itself stay read-only, so they are refused.
// clang-format off
constexpr CommandRow kCommands[] = {
        // id                       group       read-only       menu                  toolbar               image  tooltip
        {IDM_ADD_SPECIMEN,          Specimens,  Refuses,        Always,               Always,               0,     Tip(IDM_ADD_SPECIMEN)},
        {IDM_DELETE_SPECIMEN,       Specimens,  Refuses,        WhenAnySelected,      WhenAnySelected,      2,     Tip(IDM_DELETE_SPECIMEN)},
        {IDM_EDIT_SPECIMEN,         Specimens,  PassesToDialog, WhenAnySelected,      WhenAnySelected,      1,     Tip(IDM_EDIT_SPECIMEN)},
        {IDM_CHANGE_CATEGORY,       Specimens,  PassesToDialog, WhenAnySelected,      WhenAnySelected,      3,     Tip(IDM_CHANGE_CATEGORY)},
        {IDM_COPY_SPECIMEN,         Specimens,  Refuses,        WhenOneSelected,      Fixed,                kNone, 0},
        {IDM_SELECT_ALL,            Specimens,  Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_FIND,                  Specimens,  Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_UNDO,                  History,    Refuses,        Fixed,                Fixed,                kNone, 0},
        {IDM_REDO,                  History,    Refuses,        Fixed,                Fixed,                kNone, 0},
        {IDM_NEXT_CATEGORY,         Categories, Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_ADD_CATEGORY,          Categories, Refuses,        Fixed,                Fixed,                6,     Tip(IDM_ADD_CATEGORY)},
        {IDM_DELETE_CATEGORY,       Categories, Refuses,        Fixed,                Fixed,                8,     Tip(IDM_DELETE_CATEGORY)},
        {IDM_EDIT_CATEGORY,         Categories, Refuses,        Fixed,                Fixed,                7,     Tip(IDM_EDIT_CATEGORY)},
        {IDM_MOVE_CATEGORY_LEFT,    Categories, Refuses,        Fixed,                Fixed,                9,     Tip(IDM_MOVE_CATEGORY_LEFT)},
        {IDM_MOVE_CATEGORY_RIGHT,   Categories, Refuses,        Fixed,                Fixed,                10,    Tip(IDM_MOVE_CATEGORY_RIGHT)},
        {IDM_NEW,                   File,       SkipsSaveIfDue, Fixed,                Fixed,                15,    Tip(IDM_NEW)},
        {IDM_OPEN,                  File,       SkipsSaveIfDue, Fixed,                Fixed,                16,    Tip(IDM_OPEN)},
        {IDM_SAVE_AS,               File,       Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_RESTORE_BACKUP,        File,       Runs,           WhenRestoreAvailable, WhenRestoreAvailable, 17,    Tip(IDM_RESTORE_BACKUP)},
        {IDM_RECENT_FIRST,          File,       SkipsSaveIfDue, Fixed,                Fixed,                kNone, 0},
        {IDM_RECENT_FIRST + 1,      File,       SkipsSaveIfDue, Fixed,                Fixed,                kNone, 0},
        {IDM_RECENT_FIRST + 2,      File,       SkipsSaveIfDue, Fixed,                Fixed,                kNone, 0},
        {IDM_RECENT_FIRST + 3,      File,       SkipsSaveIfDue, Fixed,                Fixed,                kNone, 0},
        {IDM_EXIT,                  File,       Runs,           Fixed,                Fixed,                12,    Tip(IDM_EXIT)},
        {IDM_EXPORT,                Exchange,   Runs,           Fixed,                Fixed,                13,    Tip(IDM_EXPORT)},
        {IDM_IMPORT,                Exchange,   Refuses,        Fixed,                Fixed,                14,    Tip(IDM_IMPORT)},
        {IDM_CUSTOMIZE_COLUMNS,     Tools,      Refuses,        Fixed,                Fixed,                kNone, 0},
        {IDM_CUSTOMIZE_TOOLBAR,     Tools,      Refuses,          Fixed,                Fixed,                kNone, 0},
        {IDM_OPTIONS,               Tools,      Refuses,        Fixed,                Fixed,                4,     Tip(IDM_OPTIONS)},
        {IDM_PRINT,                 Tools,      Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_STATISTICS,            Tools,      Runs,           Fixed,                Fixed,                18,    Tip(IDM_STATISTICS)},
        {IDM_TRANSFER_APPLICATION,  Tools,      Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_ABOUT,                 Help,       Runs,           Fixed,                Fixed,                11,    Tip(IDM_ABOUT)},
        {IDM_HELP,                  Help,       Runs,           Fixed,                Fixed,                5,     Tip(IDM_HELP)},
        {IDM_HOME_PAGE,             Help,       Runs,           Fixed,                Fixed,                kNone, 0},
        {IDM_EMAIL_SUPPORT,         Help,       Runs,           Fixed,                Fixed,                19,    Tip(IDM_EMAIL_SUPPORT)},
        {IDM_CHECK_UPDATE,          Help,       Runs,           Fixed,                Fixed,                20,    Tip(IDM_CHECK_UPDATE)},
};
// clang-format on

bool Enabled(EnableRule rule, int selectionCount, bool restoreAvailable) {
    switch (rule) {
        case WhenRestoreAvailable:
            return restoreAvailable;
        case WhenAnySelected:
            return selectionCount > 0;
        case WhenOneSelected:
            return selectionCount == 1;
        case Fixed:
        case Always:
            return true;
    }
    return true;
}

template <typename RuleOf>
std::vector<CommandState> States(RuleOf ruleOf, int selectionCount, bool restoreAvailable) {
    std::vector<CommandState> states;
    for (const CommandRow& row : kCommands) {
        const EnableRule rule = ruleOf(row);
        if (rule != Fixed)
            states.push_back({row.id, Enabled(rule, selectionCount, restoreAvailable)});
    }
    return states;
}

}  // namespace

std::span<const CommandRow> CommandTable() {
    return kCommands;
}

const CommandRow* FindCommand(int id) {
    const auto* row = std::find_if(std::begin(kCommands), std::end(kCommands),
                                   [id](const CommandRow& r) { return r.id == id; });
    return row == std::end(kCommands) ? nullptr : row;
}

bool IsCommand(int id) {
    return FindCommand(id) != nullptr;
}

ReadOnlyRule ReadOnlyRuleOf(int command) {
    const CommandRow* row = FindCommand(command);
    return row == nullptr ? Runs : row->readOnly;
}

std::vector<ToolbarButton> ToolbarButtons() {
    std::vector<ToolbarButton> buttons;
    for (const CommandRow& row : kCommands) {
        if (row.toolbarImage != kNoToolbarImage)
            buttons.push_back({row.toolbarImage, row.id});
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const ToolbarButton& a, const ToolbarButton& b) { return a.image < b.image; });
    return buttons;
}

unsigned TooltipId(int command) {
    const CommandRow* row = FindCommand(command);
    return row == nullptr ? 0 : row->tooltip;
}

std::vector<CommandState> MenuStates(int selectionCount, bool restoreAvailable) {
    return States([](const CommandRow& row) { return row.menu; }, selectionCount, restoreAvailable);
}

std::vector<CommandState> ToolbarStates(int selectionCount, bool restoreAvailable) {
    return States([](const CommandRow& row) { return row.toolbar; }, selectionCount, restoreAvailable);
}
