#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "online/MarkupLabel.h"

namespace {

// Ten pixels a character, twelve in bold; sixteen high.
class FixedMeasure final : public LabelMeasure {
public:
    LabelExtent Measure(std::wstring_view text, const LabelStyle& style) const override {
        return {static_cast<int>(text.size()) * (style.bold ? 12 : 10), 16};
    }
};

using Tokens = std::vector<std::wstring>;

TEST(MarkupLabel, CutsTextIntoWordsTagsSpacesAndQuotes) {
    const std::pair<std::wstring, Tokens> cases[] = {
            {L"<body>Check  for\r\n\t<b>Orvelle</b>?</body>",
             {L"<body>", L"Check", L" ", L"for", L" ", L"<b>", L"Orvelle", L"</b>", L"?", L"</body>"}},
            {L"<color red>hot</color>", {L"<color", L" ", L"red>", L"hot", L"</color>"}},
            {L"say \"a <b> c\"!", {L"say", L" ", L"\"a <b> c\"", L"!"}},
            {L"x\"open", {L"x", L"\"open"}},
            {L"a>b<c", {L"a>", L"b", L"<c"}},
            {L"  ", {L" "}},
            {L"", {}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(TokenizeLabelMarkup(text), tokens) << text;
}

TEST(MarkupLabel, KnowsItsTagsIgnoringCase) {
    const std::pair<const wchar_t*, LabelToken> cases[] = {
            {L"<p>", LabelToken::Paragraph},  {L"<B>", LabelToken::Bold},           {L"</b>", LabelToken::BoldEnd},
            {L"<COLOR", LabelToken::Colour},  {L"</color>", LabelToken::ColourEnd}, {L"<i>", LabelToken::Italic},
            {L"</I>", LabelToken::ItalicEnd}, {L"<u>", LabelToken::Underline},      {L"</u>", LabelToken::UnderlineEnd},
            {L"<Body>", LabelToken::Body},    {L"</body>", LabelToken::BodyEnd},    {L"<br>", LabelToken::Break},
            {L" ", LabelToken::Space},        {L"<color>", LabelToken::Word},       {L"<b", LabelToken::Word},
            {L"word", LabelToken::Word},
    };
    for (const auto& [token, kind] : cases)
        EXPECT_EQ(KindOfLabelToken(token), kind) << token;
}

TEST(MarkupLabel, ReadsColourNamesAndSevenCharacterHexWords) {
    const std::pair<const wchar_t*, LabelRgb> cases[] = {
            {L"black>", {0, 0, 0}},
            {L"Blue>", {0, 0, 255}},
            {L"cyan>", {0, 255, 255}},
            {L"darkblue>", {0, 0, 128}},
            {L"darkcyan>", {112, 219, 147}},
            {L"darkgreen>", {47, 79, 47}},
            {L"DARKMAGENTA>", {204, 50, 153}},
            {L"darkred>", {142, 35, 35}},
            {L"darkyellow>", {216, 216, 191}},
            {L"gray>", {84, 84, 84}},
            {L"green>", {0, 255, 0}},
            {L"lightgray>", {230, 232, 250}},
            {L"magenta>", {255, 0, 255}},
            {L"red>", {255, 0, 0}},
            {L"white>", {255, 255, 255}},
            {L"yellow>", {255, 255, 0}},
            {L"red", {0, 0, 0}},
            {L"FF8000>", {255, 128, 0}},
            {L"#12ab56", {0x12, 0xAB, 0x56}},
            {L"#FF8000>", {0, 0, 0}},
            {L"pink>", {0, 0, 0}},
            {L"zz0000f", {0, 0, 0x0F}},
    };
    for (const auto& [word, rgb] : cases) {
        const LabelRgb colour = LabelColour(word);
        EXPECT_EQ(colour, rgb) << word << " " << int{colour.red} << "," << int{colour.green} << "," << int{colour.blue};
    }
}

struct Placed {
    std::wstring text;
    int x;
    int y;
    bool bold;
    bool red;
};

std::vector<Placed> Lay(const std::wstring& text, int width, int height) {
    std::vector<Placed> placed;
    for (const LabelRun& run : LayOutLabel(text, width, height, 16, FixedMeasure()))
        placed.push_back({run.text, run.x, run.y, run.style.bold, run.colour == LabelRgb{255, 0, 0}});
    return placed;
}

void ExpectPlaced(const std::vector<Placed>& actual, const std::vector<Placed>& expected, const std::wstring& text) {
    ASSERT_EQ(actual.size(), expected.size()) << text;
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].text, expected[i].text) << text << " #" << i;
        EXPECT_EQ(actual[i].x, expected[i].x) << text << " #" << i;
        EXPECT_EQ(actual[i].y, expected[i].y) << text << " #" << i;
        EXPECT_EQ(actual[i].bold, expected[i].bold) << text << " #" << i;
        EXPECT_EQ(actual[i].red, expected[i].red) << text << " #" << i;
    }
}

TEST(MarkupLabel, LaysOutTheBodyWrappingWordsAndCuttingOffBelowTheBottom) {
    // The update question: the product name in bold, the question mark right after it.
    const std::wstring question = L"<body>Check for: <b>Orvelle</b>?</body> not shown";
    ExpectPlaced(Lay(question, 400, 20),
                 {{L"Check", 0, 0, false, false},
                  {L" ", 50, 0, false, false},
                  {L"for:", 60, 0, false, false},
                  {L" ", 100, 0, false, false},
                  {L"Orvelle", 110, 0, true, false},
                  {L"?", 194, 0, false, false}},
                 question);

    // A word that does not fit starts the next line; a space there is not drawn; a line below
    // the bottom is not drawn.
    const std::wstring wrapped = L"<body>aaaa bbbb cccc dddd";
    ExpectPlaced(Lay(wrapped, 95, 40),
                 {{L"aaaa", 0, 0, false, false},
                  {L" ", 40, 0, false, false},
                  {L"bbbb", 50, 0, false, false},
                  {L"cccc", 0, 16, false, false},
                  {L" ", 40, 16, false, false},
                  {L"dddd", 50, 16, false, false}},
                 wrapped);
    ExpectPlaced(Lay(wrapped, 45, 40), {{L"aaaa", 0, 0, false, false}, {L"bbbb", 0, 16, false, false}}, wrapped);

    // Breaks move down one and a half lines; the colour word is not drawn but the space before it is.
    const std::wstring coloured = L"<body>a<br>b <color red>hot</color> c<p>d";
    ExpectPlaced(Lay(coloured, 400, 100),
                 {{L"a", 0, 0, false, false},
                  {L"b", 0, 24, false, false},
                  {L" ", 10, 24, false, false},
                  {L" ", 20, 24, false, false},
                  {L"hot", 30, 24, false, true},
                  {L" ", 60, 24, false, false},
                  {L"c", 70, 24, false, false},
                  {L"d", 0, 48, false, false}},
                 coloured);
    EXPECT_TRUE(Lay(L"no body here", 400, 100).empty());
}

}  // namespace
