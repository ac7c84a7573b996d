#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace TQLibrary {

struct WindowRecord;

// Base of every control wrapper. The object is bound to its window through the window's
// user-data slot, which holds the object's window record; one subclass procedure serves all
// bound windows (context menu, command handlers, mouse wheel, message filter). A window the
// object created is destroyed with it; a window it only attached to is given back as it was.
// Operations on an object without a window do nothing and return 0, false or an empty text.
class TQWindow {
public:
    using WheelHandler = std::function<void(int delta)>;
    // Called with the context menu's pop-up just before it is shown.
    using MenuHook = std::function<void(HMENU popup, void* hookUserData)>;
    using CommandHandler = std::function<void(void* userData, int notification)>;
    // Sees every message of the window first; a result ends the message there, none lets it go on.
    using MessageFilter = std::function<std::optional<LRESULT>(HWND window, UINT message, WPARAM, LPARAM)>;

    TQWindow();
    virtual ~TQWindow();
    TQWindow(const TQWindow&) = delete;
    TQWindow& operator=(const TQWindow&) = delete;

    // Derived classes create their control at zero position and size.
    virtual bool Create(HWND parent, int id) = 0;
    // Derived classes create their control and Bind it.
    virtual bool Create(HWND parent, int id, int x, int y, int width, int height) = 0;
    virtual bool GetClientRect(RECT& rect) const;
    // The text kept by the object.
    virtual std::wstring Text() const;
    virtual int ClientHeight() const;
    virtual int ClientWidth() const;
    // Gives back the current window and makes the one attached before it current again.
    virtual void Detach();
    // Wraps a window the object did not create; the current one is kept for Detach. A window
    // whose user-data slot is already in use is not subclassed.
    virtual void Attach(HWND window);
    virtual void Refresh();
    virtual void Move(int x, int y, int width, int height);
    // Negative x or y keeps the position, negative width or height keeps the size, and no
    // insertAfter keeps the Z order.
    virtual void Place(int x, int y, int width, int height, HWND insertAfter);
    virtual void SetText(const wchar_t* text);
    virtual void SetText(const std::wstring& text);

    HWND Window() const;
    void Enable(bool enable);
    // Turning drawing back on also invalidates the whole window.
    void SetRedraw(bool redraw);
    // The object takes ownership of the menu; its first pop-up is shown on a right click and
    // its commands go to owner.
    void SetContextMenu(HMENU menu, HWND owner, MenuHook hook = {}, void* hookUserData = nullptr);
    void AddCommandHandler(int commandId, CommandHandler handler, void* userData = nullptr);
    void SetWheelHandler(WheelHandler handler);
    // One filter at a time; an empty one removes it.
    void SetMessageFilter(MessageFilter filter);
    // Passes the notifications of the window's own child controls on to its parent, as if the
    // children were the parent's (the specimen list inside the tab strip).
    void ForwardChildNotifications(bool on);

protected:
    // Makes a newly created window the object's own: applies the kept text when one was set,
    // subclasses it and puts the window record into its user-data slot. False for no window.
    bool Bind(HWND window);
    // Destroys a created window, gives back an attached one.
    void Release();

private:
    std::unique_ptr<WindowRecord> record_;
};

}  // namespace TQLibrary
