#pragma once

// Apart from Handles.h: the GDI+ headers need the COM headers and double the time every file
// takes to compile, so only code that draws with GDI+ includes them.
#include <windows.h>
#include <gdiplus.h>
#include <objidl.h>

#include "catalog/Handles.h"

namespace TQLibrary {

// The token of a GDI+ start; 0 when it did not start.
struct GdiplusTraits {
    using Handle = ULONG_PTR;
    static ULONG_PTR None() { return 0; }
    static void Close(ULONG_PTR token) { Gdiplus::GdiplusShutdown(token); }
};

// GDI+ started for as long as the object lives, through the flat API's two calls; only code
// that makes one links gdiplus.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok)
            token_.Reset(token);
    }

    explicit operator bool() const { return static_cast<bool>(token_); }

private:
    UniqueHandle<GdiplusTraits> token_;
};

}  // namespace TQLibrary
