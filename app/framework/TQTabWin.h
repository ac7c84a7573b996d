#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/framework/TQWindow.h"
#include "base/Handles.h"

namespace TQLibrary {

// The tab strip of the categories; the specimen list lives inside it.
class TQTabWin : public TQWindow {
public:
    TQTabWin();

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;
    // Keeps the tooltip over the whole client area.
    void Place(int x, int y, int width, int height, HWND insertAfter) override;

    // One tip (the string textId of the instance) over the whole client area.
    bool AddTooltip(HINSTANCE instance, unsigned textId);

    void InsertTab(int index, LPARAM parameter, const std::wstring& text);
    void DeleteAllTabs();
    // Every tab anew, with these texts; each tab's parameter is its index.
    void ReplaceTabs(const std::vector<std::wstring>& texts);
    // Deletes the selected tab and selects the one before it (the first when it was first).
    void DeleteCurrentTab();
    void SetCurrentText(const std::wstring& text);
    // The selected tab's index; -1 when none is.
    int CurrentIndex() const;
    void SetText(int index, const std::wstring& text);
    void Select(int index);
    std::wstring CurrentText() const;
    LPARAM CurrentParameter() const;
    int TabCount() const;

private:
    void UpdateTooltipRect();

    OwnedWindow tooltip_;
    HWND tipped_ = nullptr;  // the window the tip is over
};

}  // namespace TQLibrary
