#include "app/framework/TQWindow.h"

#include "app/framework/WindowRecord.h"

namespace TQLibrary {

namespace {

bool UserDataInUse(HWND window) {
    return GetWindowLongPtrW(window, GWLP_USERDATA) != 0;
}

WNDPROC Subclass(HWND window, WindowRecord& record) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure));
    return previous;
}

void Unsubclass(HWND window, WNDPROC previous) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

}  // namespace

WNDPROC WindowRecord::ProcedureFor(HWND subclassed) const {
    if (subclassed == window && previousProcedure != nullptr)
        return previousProcedure;
    for (auto entry = attachStack.rbegin(); entry != attachStack.rend(); ++entry) {
        if (entry->window == subclassed && entry->previousProcedure != nullptr)
            return entry->previousProcedure;
    }
    return nullptr;
}

void WindowRecord::Forget(HWND destroyed) {
    if (window == destroyed) {
        window = nullptr;
        attached = false;
        previousProcedure = nullptr;
    }
    for (AttachedWindow& entry : attachStack) {
        if (entry.window == destroyed)
            entry = AttachedWindow{nullptr, false, nullptr};
    }
}

TQWindow::TQWindow() : record_(std::make_unique<WindowRecord>()) {}

TQWindow::~TQWindow() {
    Release();
    while (!record_->attachStack.empty()) {
        Detach();
        Release();
    }
}

bool TQWindow::Bind(HWND window) {
    Release();
    if (window == nullptr)
        return false;
    WindowRecord& record = *record_;
    record.window = window;
    if (record.textSet)
        SetWindowTextW(window, record.text.c_str());
    record.previousProcedure = Subclass(window, record);
    return true;
}

void TQWindow::Release() {
    WindowRecord& record = *record_;
    if (record.window != nullptr) {
        if (!record.attached)
            DestroyWindow(record.window);
        else if (record.previousProcedure != nullptr)
            Unsubclass(record.window, record.previousProcedure);
    }
    record.window = nullptr;
    record.attached = false;
    record.previousProcedure = nullptr;
}

void TQWindow::Attach(HWND window) {
    WindowRecord& record = *record_;
    record.attachStack.push_back({record.window, record.attached, record.previousProcedure});
    record.window = window;
    record.attached = true;
    record.previousProcedure = nullptr;
    if (window != nullptr && !UserDataInUse(window))
        record.previousProcedure = Subclass(window, record);
}

void TQWindow::Detach() {
    Release();
    WindowRecord& record = *record_;
    if (record.attachStack.empty())
        return;
    AttachedWindow previous = record.attachStack.back();
    record.attachStack.pop_back();
    record.window = previous.window;
    record.attached = previous.attached;
    record.previousProcedure = previous.previousProcedure;
}

HWND TQWindow::Window() const {
    return record_->window;
}

bool TQWindow::GetClientRect(RECT& rect) const {
    return Window() != nullptr && ::GetClientRect(Window(), &rect);
}

std::wstring TQWindow::Text() const {
    return record_->text;
}

int TQWindow::ClientHeight() const {
    RECT rect{};
    return GetClientRect(rect) ? rect.bottom - rect.top : 0;
}

int TQWindow::ClientWidth() const {
    RECT rect{};
    return GetClientRect(rect) ? rect.right - rect.left : 0;
}

void TQWindow::Refresh() {
    Place(-1, -1, -1, -1, nullptr);
}

void TQWindow::Move(int x, int y, int width, int height) {
    Place(x, y, width, height, nullptr);
}

void TQWindow::Place(int x, int y, int width, int height, HWND insertAfter) {
    if (Window() == nullptr)
        return;
    UINT flags = 0;
    if (x < 0 || y < 0)
        flags |= SWP_NOMOVE;
    if (width < 0 || height < 0)
        flags |= SWP_NOSIZE;
    if (insertAfter == nullptr)
        flags |= SWP_NOZORDER;
    SetWindowPos(Window(), insertAfter, x, y, width, height, flags);
}

void TQWindow::SetText(const wchar_t* text) {
    WindowRecord& record = *record_;
    record.text = text != nullptr ? text : L"";
    record.textSet = true;
    if (record.window != nullptr)
        SetWindowTextW(record.window, record.text.c_str());
}

void TQWindow::SetText(const std::wstring& text) {
    SetText(text.c_str());
}

void TQWindow::Enable(bool enable) {
    if (Window() != nullptr)
        EnableWindow(Window(), enable);
}

void TQWindow::SetRedraw(bool redraw) {
    if (Window() == nullptr)
        return;
    SendMessageW(Window(), WM_SETREDRAW, redraw, 0);
    if (redraw)
        InvalidateRect(Window(), nullptr, TRUE);
}

void TQWindow::SetContextMenu(HMENU menu, HWND owner, MenuHook hook, void* hookUserData) {
    WindowRecord& record = *record_;
    record.contextMenu.Reset(menu);
    record.menuOwner = owner;
    record.menuHook = std::move(hook);
    record.hookUserData = hookUserData;
}

void TQWindow::AddCommandHandler(int commandId, CommandHandler handler, void* userData) {
    record_->commandHandlers.push_back({commandId, std::move(handler), userData});
}

void TQWindow::SetWheelHandler(WheelHandler handler) {
    record_->wheelHandler = std::move(handler);
}

void TQWindow::SetMessageFilter(MessageFilter filter) {
    record_->messageFilter = std::move(filter);
}

void TQWindow::ForwardChildNotifications(bool on) {
    record_->forwardNotifications = on;
}

}  // namespace TQLibrary
