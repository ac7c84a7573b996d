#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>

#include "app/framework/TQTabWin.h"

namespace TQLibrary {

// One page of a tabbed dialog: the tab's text (a string id, also the page's identifier) and
// the dialog's controls that show on it.
struct DialogPage {
    unsigned title;
    std::span<const int> controls;
};

// The tab strip of a dialog whose pages are groups of the dialog's own controls: the controls
// of the selected page show, all others are hidden.
class DialogPages {
public:
    // The pages in tab order; they must outlive the object.
    explicit DialogPages(std::span<const DialogPage> pages) : pages_(pages) {}

    // Fills the dialog's tab control with a tab per page and shows the page with the title (the
    // first page when no page has it).
    void Attach(HWND dialog, int tabControl, unsigned shownTitle);
    // Follows a change of tab; true when the notification was the tab strip's.
    bool OnNotify(const NMHDR& header);

private:
    const DialogPage& PageOf(unsigned title) const;
    void Show(const DialogPage& page, bool show) const;

    std::span<const DialogPage> pages_;
    TQTabWin tabs_;
    HWND dialog_ = nullptr;
    int tabControl_ = 0;
    unsigned shown_ = 0;
};

}  // namespace TQLibrary
