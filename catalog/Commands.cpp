#include "catalog/Commands.h"

#include "catalog/StringTable.h"
#include "catalog/TextCompare.h"

bool IsCommand(int id) {
    struct Range {
        int first;
        int last;
    };
    constexpr Range kRanges[] = {{IDM_ADD_SPECIMEN, IDM_EDIT_SPECIMEN},
                                 {IDM_CHANGE_CATEGORY, IDM_NEXT_CATEGORY},
                                 {IDM_ADD_CATEGORY, IDM_MOVE_CATEGORY_RIGHT},
                                 {IDM_CUSTOMIZE_COLUMNS, IDM_TRANSFER_APPLICATION},
                                 {IDM_ABOUT, IDM_CHECK_UPDATE},
                                 {IDM_SELECT_ALL, IDM_SELECT_ALL}};
    for (Range range : kRanges) {
        if (id >= range.first && id <= range.last)
            return true;
    }
    return false;
}

std::array<CommandState, 6> MenuStates(int selectionCount, bool restoreAvailable) {
    bool any = selectionCount > 0;
    bool one = selectionCount == 1;
    return {{
            {IDM_RESTORE_BACKUP, restoreAvailable},
            {IDM_CHANGE_CATEGORY, any},
            {IDM_COPY_SPECIMEN, one},
            {IDM_ADD_SPECIMEN, true},
            {IDM_DELETE_SPECIMEN, any},
            {IDM_EDIT_SPECIMEN, one},
    }};
}

std::array<CommandState, 5> ToolbarStates(int selectionCount, bool restoreAvailable) {
    bool any = selectionCount > 0;
    return {{
            {IDM_RESTORE_BACKUP, restoreAvailable},
            {IDM_CHANGE_CATEGORY, any},
            {IDM_ADD_SPECIMEN, true},
            {IDM_DELETE_SPECIMEN, any},
            {IDM_EDIT_SPECIMEN, any},
    }};
}

ReadOnlyRule ReadOnlyRuleOf(int command) {
    switch (command) {
        // The commands that change the catalog with no dialog that could itself stay read-only.
        // Copy Specimen is one of them: it adds a specimen just as Add does.
        case IDM_ADD_SPECIMEN:
        case IDM_DELETE_SPECIMEN:
        case IDM_COPY_SPECIMEN:
        case IDM_ADD_CATEGORY:
        case IDM_DELETE_CATEGORY:
        case IDM_EDIT_CATEGORY:
        case IDM_MOVE_CATEGORY_LEFT:
        case IDM_MOVE_CATEGORY_RIGHT:
        case IDM_CUSTOMIZE_COLUMNS:
        case IDM_IMPORT:
        case IDM_OPTIONS:
            return ReadOnlyRule::Refuses;
        case IDM_EDIT_SPECIMEN:
        case IDM_CHANGE_CATEGORY:
            return ReadOnlyRule::PassesToDialog;
        case IDM_NEW:
        case IDM_OPEN:
            return ReadOnlyRule::SkipsSaveIfDue;
        default:
            return ReadOnlyRule::Runs;
    }
}

bool IsCommaSeparatedName(std::wstring_view name) {
    size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos)
        return false;
    return SameTextIgnoringCase(name.substr(dot, 4), LoadText(IDS_CSV_EXTENSION));
}
