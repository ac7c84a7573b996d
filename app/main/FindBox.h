#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/framework/TQEdit.h"
#include "app/main/CatalogLock.h"
#include "base/Geometry.h"
#include "base/Handles.h"

namespace TQLibrary {

class SpecimenList;
class TQTabWin;

// The find box above the specimen list, with its clear button, both inside the tab strip. Each
// change of its text starts a find over the list's rows, which runs in slices and gives way to
// the user's next key or click: a letter typed while a find runs starts a new one over it, so
// typing is never held up and the rows shown always end up those of the last text.
class FindBox {
public:
    // found: a find ended and its rows are shown (the catalog lock is held).
    // openRow: Enter with one row shown, which is then selected alone.
    FindBox(SpecimenList& list, CatalogLock& lock, std::function<void()> found, std::function<void()> openRow);

    bool Create(TQTabWin& tabs, int boxId, int clearId);
    void Place(const Rect& box, const Rect& clear);
    // The font of the box and its button (kept by the caller while they show it).
    void SetFont(HFONT font);
    // Ctrl+F: the box takes the focus, its text selected.
    void Focus();
    // The box emptied: every row of the tab is shown again.
    void Clear();
    // Runs the find under way to its end, for a command that must act on its rows.
    void Finish();
    // Makes, while the user does nothing, what each specimen is found by, so that the first
    // letter typed need not: after a load, or after every text was forgotten.
    void PrepareWhileIdle();

private:
    void OnTextChanged();
    // Goes on with the find under way, slice by slice, until it ends or input waits; then a
    // timer brings it back once the input has been handled.
    void Continue();
    void Prepare();
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam);
    void OnEnter();
    void FocusFirstRow();

    SpecimenList& list_;
    CatalogLock& lock_;
    std::function<void()> found_;
    std::function<void()> openRow_;
    TQEdit edit_;
    OwnedWindow clear_;
};

}  // namespace TQLibrary
