#include "app/framework/DialogPages.h"

#include <uxtheme.h>

#include "base/StringTable.h"

namespace TQLibrary {

void DialogPages::Attach(HWND dialog, int tabControl, unsigned shownTitle) {
    dialog_ = dialog;
    tabControl_ = tabControl;
    // The pages' labels lie on the tab strip: they take its background, not the dialog's.
    EnableThemeDialogTexture(dialog, ETDT_ENABLETAB);
    tabs_.Attach(GetDlgItem(dialog, tabControl));
    int index = 0;
    for (const DialogPage& each : pages_) {
        tabs_.InsertTab(index++, static_cast<LPARAM>(each.title), LoadText(each.title));
        Show(each, false);
    }
    shown_ = shownTitle;
    Show(PageOf(shown_), true);
}

bool DialogPages::OnNotify(const NMHDR& header) {
    if (dialog_ == nullptr || header.idFrom != static_cast<UINT_PTR>(tabControl_))
        return false;
    if (header.code == TCN_SELCHANGE) {
        Show(PageOf(shown_), false);
        shown_ = static_cast<unsigned>(tabs_.CurrentParameter());
        Show(PageOf(shown_), true);
    }
    return true;
}

const DialogPage& DialogPages::PageOf(unsigned title) const {
    for (const DialogPage& page : pages_) {
        if (page.title == title)
            return page;
    }
    return pages_.front();
}

void DialogPages::Show(const DialogPage& page, bool show) const {
    for (int control : page.controls)
        ShowWindow(GetDlgItem(dialog_, control), show ? SW_SHOW : SW_HIDE);
}

}  // namespace TQLibrary
