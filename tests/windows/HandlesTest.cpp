#include <gtest/gtest.h>

#include <windows.h>

#include "base/Handles.h"

using namespace TQLibrary;

namespace {

// An object still selected into a context is never freed, so the drawing code relies on the
// restorer putting the context's own bitmap back before the wrappers delete theirs.
TEST(Handles, SelectedObjectPutsBackWhatItReplaced) {
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    ASSERT_TRUE(screen);
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), 4, 4));
    ASSERT_TRUE(memory);
    ASSERT_TRUE(bitmap);
    HGDIOBJ ownBitmap = GetCurrentObject(memory.Get(), OBJ_BITMAP);
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BITMAP), bitmap.Get());
    }
    EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BITMAP), ownBitmap);
}

}  // namespace
