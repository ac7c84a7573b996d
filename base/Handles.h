#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <wininet.h>

#include <utility>

namespace TQLibrary {

// Owns one handle and gives it back to the system when it goes; move-only. Traits name the
// handle type, the value that means "none" and the call that closes it.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Take()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Take());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::None(); }

    // Gives up ownership without closing.
    Handle Take() { return std::exchange(handle_, Traits::None()); }

    void Reset(Handle handle = Traits::None()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::None())
            Traits::Close(old);
    }

private:
    Handle handle_ = Traits::None();
};

struct OwnedWindowTraits {
    using Handle = HWND;
    static HWND None() { return nullptr; }
    // An owned pop-up goes with its owner, so the window may be gone already.
    static void Close(HWND window) {
        if (IsWindow(window))
            DestroyWindow(window);
    }
};

// A handle that is null when there is none and that one call closes. The call is only
// emitted where a handle is closed, so nothing links wininet unless it closes an internet handle.
template <typename HandleType, auto CloseCall>
struct NullIsNone {
    using Handle = HandleType;
    static Handle None() { return nullptr; }
    static void Close(Handle handle) { CloseCall(handle); }
};

// The same for handles whose "none" is INVALID_HANDLE_VALUE.
template <auto CloseCall>
struct InvalidIsNone {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseCall(handle); }
};

// A window this code created and must destroy.
using OwnedWindow = UniqueHandle<OwnedWindowTraits>;
using MenuHandle = UniqueHandle<NullIsNone<HMENU, &DestroyMenu>>;
using FontHandle = UniqueHandle<NullIsNone<HFONT, &DeleteObject>>;
using BrushHandle = UniqueHandle<NullIsNone<HBRUSH, &DeleteObject>>;
using BitmapHandle = UniqueHandle<NullIsNone<HBITMAP, &DeleteObject>>;
using KeyHandle = UniqueHandle<NullIsNone<HKEY, &RegCloseKey>>;
// Kernel objects whose "none" is a null handle (mutexes, threads, events).
using KernelHandle = UniqueHandle<NullIsNone<HANDLE, &CloseHandle>>;
using FileHandle = UniqueHandle<InvalidIsNone<&CloseHandle>>;
using FindHandle = UniqueHandle<InvalidIsNone<&FindClose>>;
using ModuleHandle = UniqueHandle<NullIsNone<HMODULE, &FreeLibrary>>;
// A device context of this code's own making (CreateCompatibleDC), not one lent by a window.
using MemoryDC = UniqueHandle<NullIsNone<HDC, &DeleteDC>>;
// A printer's device context, as the print dialog returns it; deleted like a memory context.
using PrinterDC = UniqueHandle<NullIsNone<HDC, &DeleteDC>>;
using ImageListHandle = UniqueHandle<NullIsNone<HIMAGELIST, &ImageList_Destroy>>;
// Icons this code loaded or created; shared icons (LR_SHARED, LoadIcon) must not be destroyed.
using IconHandle = UniqueHandle<NullIsNone<HICON, &DestroyIcon>>;
using InternetHandle = UniqueHandle<NullIsNone<HINTERNET, &InternetCloseHandle>>;
// Memory the system allocated for this code with LocalAlloc (an access list, for one).
using LocalMemory = UniqueHandle<NullIsNone<HLOCAL, &LocalFree>>;
// A security identifier from AllocateAndInitializeSid.
using SidHandle = UniqueHandle<NullIsNone<PSID, &FreeSid>>;
// Movable global memory (GlobalAlloc) until something that frees it takes it over.
using GlobalMemory = UniqueHandle<NullIsNone<HGLOBAL, &GlobalFree>>;

// The GDI+ session is in GdiplusSession.h, whose headers are too heavy for every file.

// A window's device context, lent by GetDC or GetWindowDC and given back to the same window.
class WindowDC {
public:
    // The client area's context.
    static WindowDC OfClientArea(HWND window) { return WindowDC(window, GetDC(window)); }
    // The whole window's context, frame and caption included.
    static WindowDC OfWholeWindow(HWND window) { return WindowDC(window, GetWindowDC(window)); }

    ~WindowDC() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    WindowDC(HWND window, HDC dc) : window_(window), dc_(dc) {}

    HWND window_;
    HDC dc_;
};

// The context of a WM_PAINT, from BeginPaint to EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() {
        if (dc_ != nullptr)
            EndPaint(window_, &paint_);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// COM on the calling thread for a scope, given back only when it was taken.
class ComApartment {
public:
    explicit ComApartment(DWORD model) : result_(CoInitializeEx(nullptr, model)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// Selects a GDI object into a device context for a scope, then selects the one it replaced
// back: an object still selected into a context cannot be deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), replaced_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (replaced_ != nullptr && replaced_ != HGDI_ERROR)
            SelectObject(dc_, replaced_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ replaced_;
};

}  // namespace TQLibrary
