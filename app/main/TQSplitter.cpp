#include "app/main/TQSplitter.h"

#include "app/framework/Dpi.h"
#include "app/framework/Program.h"
#include "base/Handles.h"
#include "frame/ViewLayout.h"

namespace TQLibrary {

namespace {

constexpr wchar_t kClassName[] = L"TQSplitter";

// A checkerboard brush: drawing the bar twice with it leaves the window as it was.
BrushHandle MakeCheckerBrush() {
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    BitmapHandle pattern(CreateBitmap(8, 8, 1, 1, rows));
    // The brush keeps its own copy of the pattern.
    return BrushHandle(CreatePatternBrush(pattern.Get()));
}

bool RegisterClassOnce(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSW existing{};
    // Every main window of the process shares the class.
    if (GetClassInfoW(instance, kClassName, &existing))
        return true;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_SIZEWE);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0;
}

}  // namespace

TQSplitter::~TQSplitter() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool TQSplitter::Create(HWND parent, Drop drop) {
    HINSTANCE instance = ProgramInstance();
    if (!RegisterClassOnce(instance, Procedure))
        return false;
    window_ = CreateWindowExW(0, kClassName, kClassName, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, instance, nullptr);
    if (window_ == nullptr)
        return false;
    drop_ = std::move(drop);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

int TQSplitter::DragPosition() const {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT parent;
    GetWindowRect(GetParent(window_), &parent);
    return ClampSplitterDrag(cursor.x - parent.left, parent.right - parent.left);
}

void TQSplitter::DrawBar(int x) const {
    HWND parent = GetParent(window_);
    RECT parentBox;
    RECT bar;
    GetWindowRect(parent, &parentBox);
    GetWindowRect(window_, &bar);
    WindowDC dc = WindowDC::OfWholeWindow(parent);
    BrushHandle brush = MakeCheckerBrush();
    // As wide to the eye on a monitor of any scale.
    const int width = ScaledForDpi(kDragBarWidth, WindowDpi(parent));
    const int left = x - width / 2;
    SetBrushOrgEx(dc.Get(), left, 0, nullptr);
    SelectedObject selected(dc.Get(), brush.Get());
    PatBlt(dc.Get(), left, bar.top - parentBox.top, width, bar.bottom - bar.top, PATINVERT);
}

void TQSplitter::OnButtonDown() {
    int x = DragPosition();
    dragging_ = true;
    SetCapture(window_);
    DrawBar(x);
    lastX_ = x;
}

void TQSplitter::OnMouseMove(bool buttonDown) {
    if (!dragging_)
        return;
    int x = DragPosition();
    if (x != lastX_ && buttonDown) {
        DrawBar(lastX_);
        DrawBar(x);
        lastX_ = x;
    }
}

void TQSplitter::OnButtonUp() {
    if (dragging_) {
        int x = DragPosition();
        DrawBar(lastX_);
        lastX_ = x;
        dragging_ = false;
        // From the parent's window rectangle to its client area.
        HWND parent = GetParent(window_);
        RECT box;
        GetWindowRect(parent, &box);
        POINT point{box.left + x, box.top};
        ScreenToClient(parent, &point);
        RECT client;
        if (GetClientRect(parent, &client) && drop_)
            drop_(point.x);
    }
    ReleaseCapture();
}

void TQSplitter::OnCaptureLost() {
    if (!dragging_)
        return;
    DrawBar(lastX_);
    dragging_ = false;
}

LRESULT CALLBACK TQSplitter::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* splitter = reinterpret_cast<TQSplitter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (splitter == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        switch (message) {
            case WM_LBUTTONDOWN:
                splitter->OnButtonDown();
                return 0;
            case WM_MOUSEMOVE:
                splitter->OnMouseMove((wParam & MK_LBUTTON) != 0);
                return 0;
            case WM_LBUTTONUP:
                splitter->OnButtonUp();
                return 0;
            case WM_CAPTURECHANGED:
                splitter->OnCaptureLost();
                return 0;
            default:
                break;
        }
    } catch (...) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace TQLibrary
