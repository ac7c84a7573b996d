#include "app/dialogs/ColumnsDialog.h"

#include <algorithm>

#include "app/framework/Dialogs.h"
#include "app/framework/Messages.h"
#include "app/framework/TQListBox.h"
#include "base/StringTable.h"
#include "catalog/Specimen.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

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

struct ColumnsDialog {
    std::vector<std::uint8_t> displayed;
    bool readOnly = false;
    TQListBox available;
    TQListBox shown;

    void OnInitDialog(HWND dialog) {
        PrepareDialog(dialog, readOnly);
        available.Attach(GetDlgItem(dialog, IDC_AVAILABLE_COLUMNS));
        shown.Attach(GetDlgItem(dialog, IDC_DISPLAYED_COLUMNS));
        for (int field = 0; field < kFieldCount; ++field) {
            const auto id = static_cast<std::uint8_t>(field);
            if (std::find(displayed.begin(), displayed.end(), id) == displayed.end())
                available.AddItem(FieldName(field), field);
        }
        for (std::uint8_t field : displayed)
            shown.AddItem(field < kFieldCount ? FieldName(field) : std::wstring(), field);
        EnableMoves(dialog, false, false);
    }

    void OnCommand(HWND dialog, int item, int notification) {
        switch (item) {
            case IDC_AVAILABLE_COLUMNS:
                if (notification == LBN_SELCHANGE) {
                    EnableMoves(dialog, false, true);
                    shown.ClearSelection();
                } else if (notification == LBN_DBLCLK) {
                    ShowSelected(dialog);
                }
                break;
            case IDC_DISPLAYED_COLUMNS:
                if (notification == LBN_SELCHANGE) {
                    EnableMoves(dialog, true, false);
                    available.ClearSelection();
                } else if (notification == LBN_DBLCLK) {
                    HideSelected(dialog);
                }
                break;
            case IDC_SHOW_COLUMN:
                ShowSelected(dialog);
                break;
            case IDC_HIDE_COLUMN:
                HideSelected(dialog);
                break;
            case IDC_COLUMN_UP:
                shown.MoveSelectedUp();
                break;
            case IDC_COLUMN_DOWN:
                shown.MoveSelectedDown();
                break;
            case IDOK:
                if (!readOnly)
                    OnOk(dialog);
                break;
            default:
                break;
        }
    }

    // The list boxes go with the dialog: give them back before they do.
    void OnDestroy(HWND) {
        available.Detach();
        shown.Detach();
    }

    void ShowSelected(HWND dialog) {
        if (MoveSelectedItem(available, shown))
            EnableItem(dialog, IDC_SHOW_COLUMN, false);
    }

    void HideSelected(HWND dialog) {
        if (MoveSelectedItem(shown, available))
            EnableMoves(dialog, false, false);
    }

    void OnOk(HWND dialog) {
        const int count = shown.ItemCount();
        if (count == 0) {
            Warn(IDS_NO_COLUMNS, IDS_DISPLAY_NAME, dialog);
            return;
        }
        displayed.clear();
        for (int i = 0; i < count; ++i)
            displayed.push_back(static_cast<std::uint8_t>(shown.ItemData(i)));
        EndDialog(dialog, IDOK);
    }
};

}  // namespace

bool CustomizeColumns(HWND owner, std::vector<std::uint8_t>& displayed, bool readOnly) {
    ColumnsDialog state;
    state.displayed = displayed;
    state.readOnly = readOnly;
    if (!RunDialog(owner, IDD_CUSTOMIZE_COLUMNS, state))
        return false;
    displayed = state.displayed;
    return true;
}

}  // namespace TQLibrary
