#pragma once

#include <windows.h>

#include <optional>

#include "app/framework/TQWindow.h"

namespace TQLibrary {

// Makes a control behave as a hot-tracking push button while the object lives: the mouse over
// it captures the mouse, a left click over it becomes a WM_COMMAND (BN_CLICKED) to its parent,
// and leaving it before the button is released cancels the click. Takes the control's message
// filter; the control must outlive the object.
class HotTracking {
public:
    explicit HotTracking(TQWindow& control);
    ~HotTracking();
    HotTracking(const HotTracking&) = delete;
    HotTracking& operator=(const HotTracking&) = delete;

private:
    std::optional<LRESULT> OnMessage(HWND window, UINT message, LPARAM lParam);
    void SetHot(HWND window, bool hot);

    TQWindow& control_;
    HWND hot_ = nullptr;  // the window with the mouse over it, which holds the capture
};

}  // namespace TQLibrary
