#include <gtest/gtest.h>

#include <limits>

#include "base/TextSplit.h"

namespace {

using Pieces = std::vector<std::wstring>;

TEST(TextSplit, CutsAtSeparatorsOutsideQuotes) {
    struct Case {
        std::wstring_view text;
        wchar_t separator;
        bool skipBlanks;
        bool keepQuotes;
        Pieces expected;
    };
    const Case cases[] = {
            {L"a  \"b c\" d", kSplitAtWhiteSpace, false, false, {L"a", L"b c", L"d"}},
            {L" \t a\r\n b \t", kSplitAtWhiteSpace, false, false, {L"a", L"b"}},
            {L"a \"b c\"", kSplitAtWhiteSpace, false, true, {L"a", L"\"b c\""}},
            {L"\"\"  x", kSplitAtWhiteSpace, false, false, {L"", L"x"}},
            {L"a,,b", L',', false, false, {L"a", L"", L"b"}},
            {L",a,b,", L',', false, false, {L"", L"a", L"b"}},
            {L",", L',', false, false, {L""}},
            {L"", L',', true, false, {}},
            {L"a,  b , c", L',', true, false, {L"a", L"b ", L"c"}},
            {L"a,  b", L',', false, false, {L"a", L"  b"}},
            {L"\"a,b\",c", L',', false, false, {L"a,b", L"c"}},
            {L"\"a,b\",c", L',', false, true, {L"\"a,b\"", L"c"}},
            {L"  \"  x\",y", L',', true, false, {L"  x", L"y"}},
            {L"x\"a \"b\" c\"", L',', true, false, {L"xa b c"}},
            {L"a b\tc", L' ', false, false, {L"a", L"b\tc"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Split(c.text, c.separator, c.skipBlanks, c.keepQuotes), c.expected) << std::wstring(c.text);
    }
}

TEST(TextSplit, LinesLoseTheCarriageReturnOfTheirLineEnd) {
    struct Case {
        std::wstring_view text;
        Pieces expected;
    };
    const Case cases[] = {
            {L"h\r\nr1\r\n\r\n  r2\r\n", {L"h", L"r1", L"", L"r2"}},
            {L"\"a\r\nb\"\r\nc", {L"\"a\r\nb\"", L"c"}},  // a line end inside quotes belongs to the cell
            {L"a\rb\nc\r", {L"a\rb", L"c\r"}},            // only the CR of CR LF goes
            {L"x\n\n", {L"x", L""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Split(c.text, L'\n', true, true), c.expected) << std::wstring(c.text);
    }
}

// The import reads its lines as views; they must be exactly the pieces Split makes.
TEST(TextSplit, SplitLinesViewsTheLinesSplitCopies) {
    const std::wstring_view texts[] = {
            L"h\r\nr1\r\n\r\n  r2\r\n", L"\"a\r\nb\"\r\nc",  L"a\rb\nc\r",  L"x\n\n",
            L"  \t\r\n \"q\" x\r\n",    L"\"open\r\n quote", L"\r\n\r\n\r", L"",
            L" \"\" \"\"\r\n\"",        L"tail \r",          L"\n",         L"\t\"a\"\"b\"\r\r\n",
    };
    for (std::wstring_view text : texts) {
        const Pieces copied = Split(text, L'\n', true, true);
        const std::vector<std::wstring_view> viewed = SplitLines(text);
        EXPECT_EQ(Pieces(viewed.begin(), viewed.end()), copied) << std::wstring(text);
    }
}

TEST(TextSplit, TrimAndCommaPieces) {
    EXPECT_EQ(Trim(L" \t\r\n a b \r\n\t "), L"a b");
    EXPECT_EQ(Trim(L"\x00A0x\v"), L"\x00A0x\v");  // only blanks, tabs, CR and LF go
    EXPECT_EQ(Trim(L" \r\n"), L"");
    EXPECT_EQ(SplitAtCommas(L",a,,b ,"), (Pieces{L"a", L"b "}));
    EXPECT_EQ(SplitAtCommas(L",,"), Pieces{});
    EXPECT_EQ(SplitAtCommas(L"one"), Pieces{L"one"});
}

TEST(TextSplit, FillInReplacesNumberedPlaceholdersOnly) {
    const Pieces values{L"cat.xml", L"12", L"%1"};
    const struct {
        const wchar_t* text;
        const wchar_t* filled;
    } cases[] = {
            {L"%1 holds %2.", L"cat.xml holds 12."},
            {L"%2%1%2", L"12cat.xml12"},
            {L"%3 stays", L"%1 stays"},  // a value is never filled in again
            {L"100% and %4 and %0 and %", L"100% and %4 and %0 and %"},
            {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillIn(c.text, values), c.filled) << c.text;
}

TEST(TextSplit, ParseHexReadsTheFirstHexadecimalNumber) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    struct Case {
        std::wstring_view text;
        std::int32_t expected;
    };
    const Case cases[] = {
            {L"ff", 255},
            {L"#FF8000", 0xFF8000},
            {L"color=\"#0a0B0c\"", 0xC},  // "c" of "color" is the first hexadecimal digit
            {L"-1A", -26},
            {L"x-zz10", -16},
            {L"0x1F", 0},
            {L"", 0},
            {L"#", 0},
            {L"7FFFFFFF", kMax},
            {L"FFFFFFFF", kMax},
            {L"FFFFFFFFFFFFFFFFFFFFFFFF", kMax},
            {L"-80000000", kMin},
            {L"-FFFFFFFFFFFFFFFFFFFFFFFF", kMin},
            {std::wstring_view(L"1\0F", 3), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseHex(c.text), c.expected) << std::wstring(c.text);
    }
}

}  // namespace
