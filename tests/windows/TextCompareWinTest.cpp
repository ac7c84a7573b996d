#include <gtest/gtest.h>

#include "catalog/TextCompare.h"

namespace {

TEST(TextCompareWindows, CategoryNamesKeepLetterCaseTagNamesIgnoreIt) {
    EXPECT_TRUE(SameText(L"Shells", L"Shells"));
    EXPECT_FALSE(SameText(L"Shells", L"shells"));
    EXPECT_FALSE(SameText(L"\x00C4pfel", L"\x00E4pfel"));
    EXPECT_FALSE(SameText(L"Shell", L"Shells"));
    EXPECT_TRUE(SameText(L"", L""));

    EXPECT_TRUE(SameTextIgnoringCase(L"SPECIMENTAG", L"specimentag"));
    EXPECT_TRUE(SameTextIgnoringCase(L"\x00C4pfel.JPG", L"\x00E4pfel.jpg"));
    EXPECT_FALSE(SameTextIgnoringCase(L"a.jpg", L"b.jpg"));
    EXPECT_FALSE(SameTextIgnoringCase(L"a.jpg", L"a.jpgx"));
}

}  // namespace
