#pragma once

// Apart from Handles.h: the GDI+ headers need the COM headers and double the time every file
// takes to compile, so only code that draws with GDI+ includes them.
#include <windows.h>
#include <objidl.h>

// After objidl.h: GDI+ needs its property types, which WIN32_LEAN_AND_MEAN leaves out.
#include <gdiplus.h>

#include "base/Handles.h"

namespace TQLibrary {

// The token of a GDI+ start; 0 when it did not start.
struct GdiplusTraits {
    using Handle = ULONG_PTR;
    static ULONG_PTR None() { return 0; }
    static void Close(ULONG_PTR token) { Gdiplus::GdiplusShutdown(token); }
};

// The flat API's objects, each released by its own call.
using GdiplusImage = UniqueHandle<NullIsNone<Gdiplus::GpImage*, &Gdiplus::DllExports::GdipDisposeImage>>;
using GdiplusGraphics = UniqueHandle<NullIsNone<Gdiplus::GpGraphics*, &Gdiplus::DllExports::GdipDeleteGraphics>>;

// A COM stream (CreateStreamOnHGlobal), released when it goes.
struct StreamTraits {
    using Handle = IStream*;
    static IStream* None() { return nullptr; }
    static void Close(IStream* stream) { stream->Release(); }
};
using StreamHandle = UniqueHandle<StreamTraits>;

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
