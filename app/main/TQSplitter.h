#pragma once

#include <windows.h>

#include <functional>

namespace TQLibrary {

// The vertical bar between the tab strip and the picture: dragging it shows an inverted bar
// that follows the mouse, and dropping it hands the position, in the parent's client
// coordinates, to the drop routine.
class TQSplitter {
public:
    using Drop = std::function<void(int x)>;

    TQSplitter() = default;
    ~TQSplitter();
    TQSplitter(const TQSplitter&) = delete;
    TQSplitter& operator=(const TQSplitter&) = delete;

    bool Create(HWND parent, Drop drop);
    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The mouse position in the parent's window rectangle, clamped to it.
    int DragPosition() const;
    void DrawBar(int x) const;
    void OnButtonDown();
    void OnMouseMove(bool buttonDown);
    void OnButtonUp();
    // The capture went elsewhere mid-drag (a pop-up, another program): the drag is abandoned.
    void OnCaptureLost();

    HWND window_ = nullptr;
    Drop drop_;
    int lastX_ = 0;
    bool dragging_ = false;
};

}  // namespace TQLibrary
