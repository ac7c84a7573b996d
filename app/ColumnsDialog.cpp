#include "app/ColumnsDialog.h"

#include <algorithm>

#include "app/framework/Dialogs.h"
#include "app/framework/Messages.h"
#include "app/framework/TQListBox.h"
#include "catalog/Specimen.h"
#include "catalog/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

struct ColumnsState {
    std::vector<std::uint8_t> displayed;
    bool readOnly = false;
    TQListBox available;
    TQListBox shown;
};

// The dialog lists the fields by their own names, not by the user's captions.
std::wstring FieldName(int field) {
    return LoadText(IDS_FIELD_CAPTION_FIRST + static_cast<unsigned>(field));
}

void EnableItem(HWND dialog, int item, bool enable) {
    EnableWindow(GetDlgItem(dialog, item), enable);
}

// The buttons that work on the displayed list, and the one that adds to it.
void EnableMoves(HWND dialog, bool displayedSelected, bool availableSelected) {
    EnableItem(dialog, IDC_COLUMN_UP, displayedSelected);
    EnableItem(dialog, IDC_HIDE_COLUMN, displayedSelected);
    EnableItem(dialog, IDC_COLUMN_DOWN, displayedSelected);
    EnableItem(dialog, IDC_SHOW_COLUMN, availableSelected);
}

void OnInitDialog(HWND dialog, ColumnsState& state) {
    CentreOver(dialog);
    if (state.readOnly)
        ShowWindow(GetDlgItem(dialog, IDOK), SW_HIDE);
    state.available.Attach(GetDlgItem(dialog, IDC_AVAILABLE_COLUMNS));
    state.shown.Attach(GetDlgItem(dialog, IDC_DISPLAYED_COLUMNS));
    for (int field = 0; field < kFieldCount; ++field) {
        const auto id = static_cast<std::uint8_t>(field);
        if (std::find(state.displayed.begin(), state.displayed.end(), id) == state.displayed.end())
            state.available.AddItem(FieldName(field), field);
    }
    for (std::uint8_t field : state.displayed)
        state.shown.AddItem(field < kFieldCount ? FieldName(field) : std::wstring(), field);
    EnableMoves(dialog, false, false);
}

// Moves the selected item, text and field, from one list box to the other; false when none
// is selected.
bool MoveSelectedItem(TQListBox& from, TQListBox& to) {
    std::optional<int> selected = from.CurrentSelection();
    if (!selected)
        return false;
    const std::wstring text = from.ItemText(*selected);
    const LPARAM field = from.ItemData(*selected);
    from.DeleteItem(*selected);
    to.AddItem(text, field);
    return true;
}

void ShowSelected(HWND dialog, ColumnsState& state) {
    if (MoveSelectedItem(state.available, state.shown))
        EnableItem(dialog, IDC_SHOW_COLUMN, false);
}

void HideSelected(HWND dialog, ColumnsState& state) {
    if (MoveSelectedItem(state.shown, state.available))
        EnableMoves(dialog, false, false);
}

void OnOk(HWND dialog, ColumnsState& state) {
    const int count = state.shown.ItemCount();
    if (count == 0) {
        Warn(IDS_NO_COLUMNS, dialog);
        return;
    }
    state.displayed.clear();
    for (int i = 0; i < count; ++i)
        state.displayed.push_back(static_cast<std::uint8_t>(state.shown.ItemData(i)));
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, ColumnsState& state, int item, int notification) {
    switch (item) {
        case IDC_AVAILABLE_COLUMNS:
            if (notification == LBN_SELCHANGE) {
                EnableMoves(dialog, false, true);
                state.shown.ClearSelection();
            } else if (notification == LBN_DBLCLK) {
                ShowSelected(dialog, state);
            }
            break;
        case IDC_DISPLAYED_COLUMNS:
            if (notification == LBN_SELCHANGE) {
                EnableMoves(dialog, true, false);
                state.available.ClearSelection();
            } else if (notification == LBN_DBLCLK) {
                HideSelected(dialog, state);
            }
            break;
        case IDC_SHOW_COLUMN:
            ShowSelected(dialog, state);
            break;
        case IDC_HIDE_COLUMN:
            HideSelected(dialog, state);
            break;
        case IDC_COLUMN_UP:
            state.shown.MoveSelectedUp();
            break;
        case IDC_COLUMN_DOWN:
            state.shown.MoveSelectedDown();
            break;
        case IDOK:
            if (!state.readOnly)
                OnOk(dialog, state);
            break;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK ColumnsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<ColumnsState>(dialog, message, lParam);
    if (state == nullptr)
        return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, *state);
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            // The list boxes go with the dialog: give them back before they do.
            state->available.Detach();
            state->shown.Detach();
            ForgetDialogState(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool CustomizeColumns(HWND owner, std::vector<std::uint8_t>& displayed, bool readOnly) {
    ColumnsState state;
    state.displayed = displayed;
    state.readOnly = readOnly;
    if (!RunDialog(owner, IDD_CUSTOMIZE_COLUMNS, ColumnsProcedure, &state))
        return false;
    displayed = state.displayed;
    return true;
}

}  // namespace TQLibrary
