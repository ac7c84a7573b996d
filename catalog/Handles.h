#pragma once

#include <windows.h>

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

struct MenuTraits {
    using Handle = HMENU;
    static HMENU None() { return nullptr; }
    static void Close(HMENU menu) { DestroyMenu(menu); }
};

template <typename GdiObject>
struct GdiObjectTraits {
    using Handle = GdiObject;
    static GdiObject None() { return nullptr; }
    static void Close(GdiObject object) { DeleteObject(object); }
};

struct KeyTraits {
    using Handle = HKEY;
    static HKEY None() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

// Kernel objects whose "none" is a null handle (mutexes, threads, events).
struct KernelObjectTraits {
    using Handle = HANDLE;
    static HANDLE None() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

// Files, whose "none" is INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static HMODULE None() { return nullptr; }
    static void Close(HMODULE module) { FreeLibrary(module); }
};

struct FindTraits {
    using Handle = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindTraits>;

// A window this code created and must destroy.
using OwnedWindow = UniqueHandle<OwnedWindowTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using KeyHandle = UniqueHandle<KeyTraits>;
using KernelHandle = UniqueHandle<KernelObjectTraits>;
using FileHandle = UniqueHandle<FileTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;

}  // namespace TQLibrary
