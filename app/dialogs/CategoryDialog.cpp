#include "app/dialogs/CategoryDialog.h"

#include "app/framework/Dialogs.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The dialog's record: the name shown and typed, and how the dialog was opened.
struct CategoryNameDialog {
    std::wstring name;
    CategoryNameUse use;
    bool readOnly;

    void OnInitDialog(HWND dialog) {
        PrepareDialog(dialog, readOnly);
        if (use == CategoryNameUse::NewCategory) {
            ShowWindow(GetDlgItem(dialog, IDC_OLD_CATEGORY_LABEL), SW_HIDE);
            ShowWindow(GetDlgItem(dialog, IDC_OLD_CATEGORY), SW_HIDE);
        } else {
            SetDlgItemTextW(dialog, IDC_OLD_CATEGORY, name.c_str());
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, name.c_str());
        }
    }

    void OnCommand(HWND dialog, int item, int) {
        if (item == IDOK && !readOnly)
            OnOk(dialog);
    }

    void OnOk(HWND dialog) {
        std::wstring typed = ItemText(dialog, IDC_CATEGORY_NAME);
        // An empty name keeps the dialog open.
        if (typed.empty())
            return;
        name = typed;
        EndDialog(dialog, IDOK);
    }
};

}  // namespace

bool AskCategoryName(HWND owner, std::wstring& name, CategoryNameUse use, bool readOnly) {
    CategoryNameDialog state{use == CategoryNameUse::NewCategory ? std::wstring() : name, use, readOnly};
    if (!RunDialog(owner, IDD_CATEGORY_NAME, state))
        return false;
    name = state.name;
    return true;
}

}  // namespace TQLibrary
