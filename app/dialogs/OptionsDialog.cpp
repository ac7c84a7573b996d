#include "app/dialogs/OptionsDialog.h"

#include <string>

#include <windows.h>

#include "app/framework/DialogPages.h"
#include "app/framework/Dialogs.h"
#include "catalog/OptionsForm.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr int kProgram[] = {IDC_TRACK_WINDOW, IDC_KEEP_BACKUPS, IDC_SHOW_STATUS_BAR, IDC_STORE_IMAGES,
                            IDC_SHOW_MESSAGES};
constexpr int kDateFormat[] = {IDC_DATE_MM_DD_YYYY, IDC_DATE_MM_DD_YY, IDC_DATE_DD_MM_YYYY, IDC_DATE_DD_MM_YY};
constexpr int kSpecimenData[] = {IDC_OPTION_SIZE_UNITS_LABEL, IDC_OPTION_SIZE_UNITS,
                                 IDC_TAG_FORMAT_LABEL,        IDC_TAG_FORMAT,
                                 IDC_NEXT_TAG_LABEL,          IDC_NEXT_TAG};
constexpr int kCustomFields[] = {IDC_CAPTION_LABEL_FIRST,     IDC_CAPTION_LABEL_FIRST + 1, IDC_CAPTION_LABEL_FIRST + 2,
                                 IDC_CAPTION_LABEL_FIRST + 3, IDC_CAPTION_LABEL_FIRST + 4, IDC_CAPTION_FIRST,
                                 IDC_CAPTION_FIRST + 1,       IDC_CAPTION_FIRST + 2,       IDC_CAPTION_FIRST + 3,
                                 IDC_CAPTION_FIRST + 4};
static_assert(IDC_CAPTION_LABEL_FIRST + 4 < IDC_KEEP_BACKUPS && IDC_CAPTION_FIRST + 4 < IDC_DATE_DD_MM_YY);

constexpr DialogPage kPages[] = {
        {IDS_PAGE_PROGRAM, kProgram},
        {IDS_PAGE_PROGRAM + 1, kDateFormat},
        {IDS_PAGE_PROGRAM + 2, kSpecimenData},
        {IDS_PAGE_PROGRAM + 3, kCustomFields},
};

// The check boxes with the values they show.
struct Switch {
    int box;
    bool OptionsForm::*value;
};

constexpr Switch kSwitches[] = {
        {IDC_TRACK_WINDOW, &OptionsForm::trackWindow},      {IDC_KEEP_BACKUPS, &OptionsForm::backup},
        {IDC_SHOW_STATUS_BAR, &OptionsForm::showStatusBar}, {IDC_STORE_IMAGES, &OptionsForm::storeImages},
        {IDC_SHOW_MESSAGES, &OptionsForm::showMessages},
};

// The edits of the Specimen Data page with the texts they show.
struct TextItem {
    int edit;
    std::wstring OptionsForm::*text;
};

constexpr TextItem kTexts[] = {
        {IDC_OPTION_SIZE_UNITS, &OptionsForm::sizeUnits},
        {IDC_TAG_FORMAT, &OptionsForm::tagFormat},
        {IDC_NEXT_TAG, &OptionsForm::nextTag},
};

// The radio buttons with their date styles; on OK the first checked one counts, and none means
// MM/DD/YY.
struct StyleButton {
    int button;
    int style;
};

constexpr StyleButton kStyleButtons[] = {
        {IDC_DATE_DD_MM_YY, 5},
        {IDC_DATE_DD_MM_YYYY, 6},
        {IDC_DATE_MM_DD_YYYY, 3},
        {IDC_DATE_MM_DD_YY, 1},
};
constexpr int kStyleWhenNoneChecked = 1;

bool IsChecked(HWND dialog, int item) {
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

struct OptionsDialog {
    OptionsForm form;
    DialogPages pages{kPages};

    void OnInitDialog(HWND dialog) {
        PrepareDialog(dialog, false);
        ShowForm(dialog);
        pages.Attach(dialog, IDC_OPTION_PAGES, IDS_PAGE_PROGRAM);
    }

    void ShowForm(HWND dialog) const {
        for (const Switch& each : kSwitches)
            CheckDlgButton(dialog, each.box, form.*each.value ? BST_CHECKED : BST_UNCHECKED);
        for (const StyleButton& each : kStyleButtons)
            CheckDlgButton(dialog, each.button, each.style == form.dateStyle ? BST_CHECKED : BST_UNCHECKED);
        for (const TextItem& each : kTexts)
            SetDlgItemTextW(dialog, each.edit, (form.*each.text).c_str());
        for (int i = 0; i < 5; ++i)
            SetDlgItemTextW(dialog, IDC_CAPTION_FIRST + i, form.captions[static_cast<size_t>(i)].c_str());
    }

    INT_PTR OnNotify(HWND, NMHDR& header) {
        pages.OnNotify(header);
        return 0;
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDOK:
                OnOk(dialog);
                break;
            default:
                break;
        }
    }

    void OnOk(HWND dialog) {
        for (const Switch& each : kSwitches)
            form.*each.value = IsChecked(dialog, each.box);
        form.dateStyle = kStyleWhenNoneChecked;
        for (const StyleButton& each : kStyleButtons) {
            if (IsChecked(dialog, each.button)) {
                form.dateStyle = each.style;
                break;
            }
        }
        for (const TextItem& each : kTexts)
            form.*each.text = ItemText(dialog, each.edit);
        for (int i = 0; i < 5; ++i)
            form.captions[static_cast<size_t>(i)] = ItemText(dialog, IDC_CAPTION_FIRST + i);
        EndDialog(dialog, IDOK);
    }
};

}  // namespace

bool EditOptions(HWND owner, OptionsForm& form) {
    OptionsDialog state;
    state.form = form;
    if (!RunDialog(owner, IDD_OPTIONS, state))
        return false;
    form = state.form;
    return true;
}

}  // namespace TQLibrary
