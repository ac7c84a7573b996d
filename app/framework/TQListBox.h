#pragma once

#include <windows.h>

#include <optional>

#include "app/framework/TQWindow.h"

namespace TQLibrary {

// A list box with a static edge that notifies its parent. Adding, reading, deleting and moving
// items and clearing the selection are TQWindow's list-box operations.
class TQListBox : public TQWindow {
public:
    TQListBox() = default;
    ~TQListBox() override;

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;

    // The selected item's index; none when nothing is selected or there is no window.
    std::optional<int> CurrentSelection() const;
    bool IsSelected(int index) const;
    int ItemCount() const { return Count(); }
};

}  // namespace TQLibrary
