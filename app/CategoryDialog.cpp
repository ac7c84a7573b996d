#include "app/CategoryDialog.h"

#include "app/framework/Dialogs.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

struct CategoryNameState {
    std::wstring name;
    bool isNew;
    bool readOnly;
};

void OnInitDialog(HWND dialog, const CategoryNameState& state) {
    CentreOver(dialog);
    if (state.readOnly)
        ShowWindow(GetDlgItem(dialog, IDOK), SW_HIDE);
    if (state.isNew) {
        ShowWindow(GetDlgItem(dialog, IDC_OLD_CATEGORY_LABEL), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_OLD_CATEGORY), SW_HIDE);
    } else {
        SetDlgItemTextW(dialog, IDC_OLD_CATEGORY, state.name.c_str());
        SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, state.name.c_str());
    }
}

void OnOk(HWND dialog, CategoryNameState& state) {
    std::wstring name = ItemText(dialog, IDC_CATEGORY_NAME);
    // An empty name keeps the dialog open.
    if (name.empty())
        return;
    state.name = name;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK CategoryNameProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<CategoryNameState>(dialog, message, lParam);
    if (state == nullptr)
        return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, *state);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && !state->readOnly)
                OnOk(dialog, *state);
            else if (LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        case WM_DESTROY:
            ForgetDialogState(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool AskCategoryName(HWND owner, std::wstring& name, bool isNew, bool readOnly) {
    CategoryNameState state{isNew ? std::wstring() : name, isNew, readOnly};
    if (!RunDialog(owner, IDD_CATEGORY_NAME, CategoryNameProcedure, &state))
        return false;
    name = state.name;
    return true;
}

}  // namespace TQLibrary
