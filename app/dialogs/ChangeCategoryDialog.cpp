#include "app/dialogs/ChangeCategoryDialog.h"

#include "app/framework/Dialogs.h"
#include "app/framework/TQListBox.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

struct ChangeCategoryDialog {
    const std::vector<std::wstring>& listed;
    bool readOnly;
    std::vector<std::wstring> chosen;
    TQListBox list;

    void OnInitDialog(HWND dialog) {
        PrepareDialog(dialog, readOnly);
        list.Attach(GetDlgItem(dialog, IDC_CHANGE_CATEGORY_LIST));
        for (const std::wstring& name : listed)
            list.AddItem(name, 0);
    }

    void OnCommand(HWND dialog, int item, int) {
        if (item == IDOK && !readOnly) {
            for (int i = 0; i < list.ItemCount(); ++i) {
                if (list.IsSelected(i))
                    chosen.push_back(list.ItemText(i));
            }
            EndDialog(dialog, chosen.empty() ? IDCANCEL : IDOK);
        }
    }
};

}  // namespace

bool AskNewCategories(HWND owner, const std::vector<std::wstring>& listed, bool readOnly,
                      std::vector<std::wstring>& chosen) {
    ChangeCategoryDialog state{listed, readOnly, {}, {}};
    if (!RunDialog(owner, IDD_CHANGE_CATEGORY, state))
        return false;
    chosen = std::move(state.chosen);
    return true;
}

}  // namespace TQLibrary
