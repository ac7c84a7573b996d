#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "specimens/BatchEdit.h"

namespace TQLibrary {

// The categories of many specimens, each with a box that is checked, unchecked or mixed. A click
// on a box, or Space on the focused name, moves it on (NextTick): through mixed only for the
// boxes that started mixed. It takes the place of a dialog's control, which goes.
class CategoryTicksList {
public:
    CategoryTicksList() = default;
    CategoryTicksList(const CategoryTicksList&) = delete;
    CategoryTicksList& operator=(const CategoryTicksList&) = delete;

    // Made where the dialog's control stands, with its identifier and tab stop.
    bool Replace(HWND dialog, int control);
    void Show(const std::vector<std::wstring>& names, const std::vector<Tick>& ticks);
    const std::vector<Tick>& Ticks() const { return ticks_; }
    // The dialog's notification; true when it was this list's.
    bool OnNotify(const NMHDR& header);

private:
    void MoveOn(int item);
    void ShowTick(int item);

    HWND list_ = nullptr;  // a child of the dialog, destroyed with it
    ImageListHandle boxes_;
    std::vector<Tick> ticks_;
    std::vector<bool> startedMixed_;
};

}  // namespace TQLibrary
