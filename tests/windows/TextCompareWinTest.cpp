#include <gtest/gtest.h>

#include "base/TextCompare.h"

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

// Categories are found by these keys: they must match exactly when the comparison does,
// including texts it takes as equal though their code units differ.
TEST(TextCompareWindows, SortKeysMatchExactlyWhenTheComparisonDoes) {
    const std::pair<const wchar_t*, const wchar_t*> pairs[] = {
            {L"Shells", L"Shells"},
            {L"Shells", L"shells"},
            {L"\x00E9t\x00E9", L"e\x0301te\x0301"},
            {L"co-op", L"coop"},
            {L"a\x00ADb", L"ab"},
            {L"\x00C4pfel", L"\x00E4pfel"},
            {L"Gastropoda \x2014 Europe", L"Gastropoda - Europe"},
            {L"", L""},
            {L"Lot 1", L"Lot 1 "},
    };
    for (const auto& [a, b] : pairs)
        EXPECT_EQ(SameTextKey(a) == SameTextKey(b), SameText(a, b)) << a << L" | " << b;
}

}  // namespace
