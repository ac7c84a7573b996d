#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "online/MarkupToRtf.h"

namespace {

const std::wstring kDefaultTables = L"{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}";
const std::wstring kHead = L"{\\rtf1\\ansi\\deff0\\deftab720";
const std::wstring kBodyStart = L"\\deflang1033\\pard\\plain\\f0\\fs20 ";
const std::wstring kEnd = L"\\par }";

// The document's body between its fixed start and end, after checking both.
std::wstring BodyOf(const std::wstring& rtf) {
    const size_t start = rtf.find(kBodyStart);
    if (rtf.rfind(kHead, 0) != 0 || start == std::wstring::npos || rtf.size() < start + kBodyStart.size() + 5 ||
        rtf.compare(rtf.size() - kEnd.size(), kEnd.size(), kEnd) != 0)
        return L"malformed: " + rtf;
    return rtf.substr(start + kBodyStart.size(), rtf.size() - kEnd.size() - start - kBodyStart.size());
}

struct Case {
    std::wstring markup;
    std::wstring body;
};

void ExpectBodies(const std::vector<Case>& cases, bool showTags) {
    for (const Case& c : cases)
        EXPECT_EQ(BodyOf(ConvertMarkupToRtf(c.markup, showTags)), c.body) << c.markup;
}

TEST(MarkupToRtf, FoldsWhiteSpaceAndKeepsOnlyTheBody) {
    ExpectBodies(
            {
                    {L"<body>Hello   \r\n world</body>", L"\\plain\\f0\\fs20 Hello world"},
                    {L"<body>   \r\nlead", L"\\plain\\f0\\fs20 lead"},
                    {L"<body>a<br>   b", L"\\plain\\f0\\fs20 a\\\nb"},
                    {L"<body>a <br>b", L"\\plain\\f0\\fs20 a \\\nb"},
                    {L"<body>a<p>  b", L"\\plain\\f0\\fs20 a\\\n\\\n\\plain\\f0\\fs20 b"},
                    {L"before <b>x</b><body>in</body>after<body>again", L"\\plain\\f0\\fs20 inagain"},
                    {L"<BODY>up<BR>case</Body>gone", L"\\plain\\f0\\fs20 up\\\ncase"},
                    {L"no body at all", L""},
                    // Outside the body "<font" is passed over by itself, so a body tag right after it counts.
                    {L"<font<body>x", L"\\plain\\f0\\fs20 x"},
                    {L"<fontx face=\"Y\"><body>x", L"\\plain\\f0\\fs20 x"},
            },
            true);
}

TEST(MarkupToRtf, EmitsTheFormatBeforeTheFirstCharacterAfterAChange) {
    ExpectBodies(
            {
                    {L"<body>a <b>bold</b> c", L"\\plain\\f0\\fs20 a \\plain\\f0\\fs20\\b bold\\plain\\f0\\fs20  c"},
                    {L"<body><b><i><u>x</u></i></b>y", L"\\plain\\f0\\fs20\\b\\i\\ul x\\plain\\f0\\fs20 y"},
                    // Switching on what is on already, or off what is off, changes nothing.
                    {L"<body>a</b><b>b<b>c", L"\\plain\\f0\\fs20 a\\plain\\f0\\fs20\\b bc"},
                    {L"<body><b>x</p>y", L"\\plain\\f0\\fs20\\b x\\plain\\f0\\fs20 y"},
                    {L"<body><b><font size=+1>x</font>y", L"\\plain\\f0\\fs22\\b x\\plain\\f0\\fs20\\b y"},
            },
            true);
}

TEST(MarkupToRtf, FontAttributesFillTheTablesAndSelectTheirEntries) {
    struct Whole {
        std::wstring markup;
        std::wstring tables;
        std::wstring body;
    };
    const Whole cases[] = {
            {L"<body><font color=#FF0000>red</font> x",
             L"{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}",
             L"\\plain\\f0\\cf2\\fs20 red\\plain\\f0\\fs20  x"},
            {L"<body><font color=\"#00ff80\">a<font color='0'>b<font COLOR=00FF80>c",
             L"{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green255\\blue128;}",
             L"\\plain\\f0\\cf2\\fs20 a\\plain\\f0\\fs20 b\\plain\\f0\\cf2\\fs20 c"},
            {L"<body><font face=\"Times New Roman\">t</font><font face=Arial size=+2>a",
             L"{\\fonttbl{\\f0\\fswiss Times New Roman;}{\\f1\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}",
             L"\\plain\\f0\\fs20 t\\plain\\f1\\fs24 a"},
            {L"<body><font size=3>a<font size=-1>b<font size='5'>c<font size=\"+0\">d", kDefaultTables,
             L"\\plain\\f0\\fs20 a\\plain\\f0\\fs18 b\\plain\\f0\\fs24 c\\plain\\f0\\fs20 d"},
            // An attribute is read one character after where the reading stands, so one character
            // before it (of any kind) is needed; anything else in the tag is passed over.
            {L"<body><fontsize=9>a<font junk xsize=9 face=Courier>b",
             L"{\\fonttbl{\\f0\\fswiss Courier;}}{\\colortbl ;\\red0\\green0\\blue0;}",
             L"\\plain\\f0\\fs20 a\\plain\\f0\\fs32 b"},
            // A face name cannot close the table entry or start RTF of its own.
            {L"<body><font face=\"x;}{\\rtf1\\b evil\">t",
             L"{\\fonttbl{\\f0\\fswiss xrtf1b evil;}}{\\colortbl ;\\red0\\green0\\blue0;}", L"\\plain\\f0\\fs20 t"},
            {L"<body><font face=\"\u0416\">t",
             L"{\\fonttbl{\\f0\\fswiss \\u1046?;}}{\\colortbl ;\\red0\\green0\\blue0;}", L"\\plain\\f0\\fs20 t"},
    };
    for (const Whole& c : cases) {
        const std::wstring rtf = ConvertMarkupToRtf(c.markup, true);
        EXPECT_EQ(rtf, kHead + c.tables + kBodyStart + c.body + kEnd) << c.markup;
    }
}

TEST(MarkupToRtf, TheColourTableStopsAt255Entries) {
    std::wstring markup = L"<body>";
    for (int i = 1; i <= 300; ++i)
        markup += L"<font color=" + std::to_wstring(i) + L">x";
    const std::wstring rtf = ConvertMarkupToRtf(markup, true);
    size_t entries = 0;
    for (size_t at = rtf.find(L"\\red"); at != std::wstring::npos; at = rtf.find(L"\\red", at + 1))
        ++entries;
    EXPECT_EQ(entries, 255u);
    // Colours beyond the table leave the last one that fitted selected.
    EXPECT_NE(rtf.find(L"\\cf255\\fs20 xxxxxxxxxx"), std::wstring::npos);
    EXPECT_EQ(rtf.find(L"\\cf256"), std::wstring::npos);
}

TEST(MarkupToRtf, EscapesBracesBackslashesAndEntities) {
    ExpectBodies(
            {
                    {L"<body>{x}", L"\\plain\\f0\\fs20 \\{x\\}"},
                    {L"<body>a\\par b", L"\\plain\\f0\\fs20 a\\\\par b"},
                    {L"<body>&copy;&reg;&nbsp;&amp;&lt;&gt;&quot;&AMP;&Copy;&bogus; & x",
                     L"\\plain\\f0\\fs20 \\'A9\\'AE\\'7F&<>\"&\\'A9&bogus; & x"},
                    {L"<body>&#65;x", L"\\plain\\f0\\fs20 \\'41x"},
                    {L"<body>&#9;xy", L"\\plain\\f0\\fs20 \\'09y"},
                    {L"<body>&#169;", L"\\plain\\f0\\fs20 \\'A9;"},
                    {L"<body>&#999;", L"\\plain\\f0\\fs20 \\u999?;"},
                    {L"<body>&#x41;", L"\\plain\\f0\\fs20 &#x41;"},
                    // A reference cut off by the end of the text reads only what is there.
                    {L"<body>&#6", L"\\plain\\f0\\fs20 \\'06"},
                    {L"<body>&#", L"\\plain\\f0\\fs20 &#"},
                    // Nor does it reach into what the walk wrote as RTF.
                    {L"<body>&#6v\\y", L"\\plain\\f0\\fs20 \\'06\\\\y"},
                    {L"<body>&#6<b>x", L"\\plain\\f0\\fs20 \\'06\\plain\\f0\\fs20\\b x"},
                    {L"<body>&", L"\\plain\\f0\\fs20 &"},
            },
            true);
}

TEST(MarkupToRtf, CharactersBeyondEightBitsGoOutAsUnicodeEscapes) {
    const std::wstring markup = std::wstring(L"<body>\u00E9\u20AC\uFF21") + static_cast<wchar_t>(0xD83D) +
                                static_cast<wchar_t>(0xDC1A);
    ExpectBodies({{markup, L"\\plain\\f0\\fs20 \u00E9\\u8364?\\u-223?\\u-10179?\\u-9190?"}}, true);
    for (wchar_t c : ConvertMarkupToRtf(markup, true))
        EXPECT_LT(static_cast<unsigned>(c), 0x100u);
}

TEST(MarkupToRtf, LinksAndUnknownTagsAreProtectedAndShownOnlyWithShowTags) {
    const std::wstring link = L"<body>x <a href=\"u\">link</a> y";
    ExpectBodies(
            {
                    {link,
                     L"\\plain\\f0\\fs20 x \\plain\\f0\\fs20\\protect<a href=\"u\">link"
                     L"\\plain\\f0\\fs20\\protect</a>\\plain\\f0\\fs20  y"},
                    // Tag text cannot write control words: its backslashes are doubled.
                    {L"<body>x<q a\\b {c}>",
                     L"\\plain\\f0\\fs20 x\\plain\\f0\\fs20\\protect<q a\\\\b \\{c\\}>"
                     L"\\plain\\f0\\fs20 \\plain\\f0\\fs20  "},
                    {L"<body>x<a", L"\\plain\\f0\\fs20 x\\plain\\f0\\fs20\\protect<a\\plain\\f0\\fs20  "},
                    {L"<body>x <b>", L"\\plain\\f0\\fs20 x "},
            },
            true);
    ExpectBodies(
            {
                    {link,
                     L"\\plain\\f0\\fs20 x \\plain\\f0\\fs20\\protect link"
                     L"\\plain\\f0\\fs20\\protect\\plain\\f0\\fs20  y"},
                    {L"<body>x<q a\\b>",
                     L"\\plain\\f0\\fs20 x\\plain\\f0\\fs20\\protect\\plain\\f0\\fs20 "
                     L"\\plain\\f0\\fs20  "},
                    // A protected run after a change emits the format with \protect.
                    {L"<body><a>1", L"\\plain\\f0\\fs20\\protect \\plain\\f0\\fs20\\protect 1"},
            },
            false);
}

TEST(MarkupToRtf, StreamHandsOutOneBytePerCharacterFromThePosition) {
    const std::wstring rtf = ConvertMarkupToRtf(L"<body>caf\u00E9 \u20AC", true);
    std::vector<std::uint8_t> streamed;
    size_t position = 0;
    std::uint8_t buffer[7];
    while (size_t count = ReadRtfBytes(rtf, position, buffer, sizeof buffer))
        streamed.insert(streamed.end(), buffer, buffer + count);
    EXPECT_EQ(position, rtf.size());
    const std::string expected(rtf.begin(), rtf.end());
    EXPECT_EQ(std::string(streamed.begin(), streamed.end()), expected);
    EXPECT_NE(expected.find("caf\xE9 \\u8364?"), std::string::npos);
    EXPECT_EQ(ReadRtfBytes(rtf, position, buffer, sizeof buffer), 0u);
}

}  // namespace
