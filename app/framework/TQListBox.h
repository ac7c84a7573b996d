#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/framework/TQWindow.h"

namespace TQLibrary {

// A list box with a static edge that notifies its parent; its items are texts with item data.
class TQListBox : public TQWindow {
public:
    TQListBox() = default;
    ~TQListBox() override;

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;

    // The selected item's index; none when nothing is selected or there is no window.
    std::optional<int> CurrentSelection() const;
    bool IsSelected(int index) const;
    // The new item's index, or -1 (also when there is no window).
    int AddItem(const std::wstring& text, LPARAM data);
    LPARAM ItemData(int index) const;
    int ItemCount() const;
    void DeleteItem(int index);
    std::wstring ItemText(int index) const;
    // Moves the selected item, text and data, one place lower (higher) and keeps it selected;
    // nothing happens to the last (first) item.
    void MoveSelectedDown();
    void MoveSelectedUp();
    void ClearSelection();

private:
    void MoveSelected(int offset);
};

}  // namespace TQLibrary
