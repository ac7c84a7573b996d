#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/MarkupValues.h"

namespace {

TEST(MarkupValues, UnescapeKnowsOnlyTheThreeEntitiesItWrites) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
            {L"a&quot;b", L"ab"},
            {L"a&AMP;b", L"a&b"},
            {L"a;b", L"a;b"},
            {L"a & b", L"a "},
            {L"&lt;&gt;&amp;", L"<>&"},
            {L"&Lt;x&gT;", L"<x>"},
            {L"&;", L"&"},
            {L"&am;", L"&"},
            {L"&ampx;", L""},
            {L"x&&lt;y", L"x<y"},
            {L"", L""},
            {L"plain", L"plain"},
            {L"&l", L""},
            {L"a;&amp;;b", L"a;&;b"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Unescape(text), expected) << text;
}

TEST(MarkupValues, UnescapeStopsAtTheFirstNul) {
    std::wstring text = L"ab";
    text += L'\0';
    text += L"cd";
    EXPECT_EQ(Unescape(text), L"ab");
}

TEST(MarkupValues, EscapeAndUnescapeRoundTripAnyText) {
    const wchar_t* texts[] = {L"x<y & z>", L"&amp;", L"<<>>&&;;", L"a;b&c", L"\"quoted\" 'single'\t\r\n"};
    for (const wchar_t* text : texts)
        EXPECT_EQ(Unescape(Escape(text)), text);
}

TEST(MarkupValues, ParseIntegerSkipsToTheFirstDigit) {
    const std::pair<const wchar_t*, std::int32_t> cases[] = {
            {L"abc-12x", -12},
            {L"42", 42},
            {L"", 0},
            {L"abc", 0},
            {L"-", 0},
            {L"--5", -5},
            {L"- 7", -7},
            {L"3.9", 3},
            {L"  +8", 8},
            {L"007", 7},
            {L"2147483647", 2147483647},
            {L"-2147483648", -2147483647 - 1},
            {L"99999999999999999999", 2147483647},
            {L"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseInteger(text), expected) << text;
}

TEST(MarkupValues, BoundedParsersClampTheirResult) {
    EXPECT_TRUE(ParseBool(L"1"));
    EXPECT_FALSE(ParseBool(L"2"));
    EXPECT_FALSE(ParseBool(L""));
    EXPECT_TRUE(ParseBool(L"x1"));

    EXPECT_EQ(ParseClamped(L"5", 10, 0), 5);
    EXPECT_EQ(ParseClamped(L"50", 10, 0), 10);
    EXPECT_EQ(ParseClamped(L"-50", 10, -20), -20);

    EXPECT_EQ(ParseAtMost(L"7", 23), 7u);
    EXPECT_EQ(ParseAtMost(L"70", 23), 23u);
    EXPECT_EQ(ParseAtMost(L"-1", 23), 23u);  // compared as unsigned
    EXPECT_EQ(ParseAtMost(L"-1", 0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(ParseAtMost(L"1817", 0xFFFFFFFF), 1817u);
}

TEST(MarkupValues, ParseDoubleReadsDigitsWithOnePoint) {
    const std::pair<const wchar_t*, double> cases[] = {
            {L"12.5", 12.5},
            {L"$12.50", 12.5},
            {L"-3.25", -3.25},
            {L".5", 0.5},
            {L"5.", 5.0},
            {L"1.2.3", 1.2},
            {L"1e5", 1.0},
            {L"", 0.0},
            {L"abc", 0.0},
            {L"x-0.001", -0.001},
            {L".", 0.0},
            {L"1234570", 1234570.0},
            {L"0.0000125", 0.0000125},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(ParseDouble(text), expected) << text;
}

TEST(MarkupValues, ParseDoubleHoldsHugeAndTinyNumbersInRange) {
    EXPECT_EQ(ParseDouble(std::wstring(400, L'9')), std::numeric_limits<double>::max());
    EXPECT_EQ(ParseDouble(L"0." + std::wstring(400, L'0') + L"1"), 0.0);
    EXPECT_EQ(ParseDouble(L"-" + std::wstring(400, L'9')), -std::numeric_limits<double>::max());
}

TEST(MarkupValues, ByteListsKeepTheLowByteAndApplyTheLimit) {
    EXPECT_EQ(ParseByteList(L"1,,2,300", 255), (std::vector<std::uint8_t>{1, 2, 44}));
    EXPECT_EQ(ParseByteList(L"3,40,2", 23), (std::vector<std::uint8_t>{3, 23, 2}));
    EXPECT_EQ(ParseByteList(L"", 255), std::vector<std::uint8_t>{});
    EXPECT_EQ(ParseByteList(L",,,", 255), std::vector<std::uint8_t>{});
    EXPECT_EQ(ParseByteList(L"-1,256,x", 255), (std::vector<std::uint8_t>{255, 0, 0}));
}

TEST(MarkupValues, IntegerListsApplyTheLimitAndAvoidTheSmallestInteger) {
    EXPECT_EQ(ParseIntegerList(L"-1,-1,500", 300), (std::vector<int>{-1, -1, 300}));
    EXPECT_EQ(ParseIntegerList(L"-2147483648,5", 100), (std::vector<int>{-2147483647, 5}));
    EXPECT_EQ(ParseIntegerList(L"1,,2", 100), (std::vector<int>{1, 2}));
    EXPECT_EQ(ParseIntegerList(L"", 100), std::vector<int>{});
}

}  // namespace
