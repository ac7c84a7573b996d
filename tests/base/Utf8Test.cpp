#include <gtest/gtest.h>

#include "base/Utf8.h"

namespace {

std::wstring Decoded(const std::string& bytes) {
    return DecodeUtf8(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()).value_or(L"(invalid)");
}

TEST(Utf8, EncodingGivesEachCharacterItsBytesAndDecodesBack) {
    // Beyond the first plane a character is a surrogate pair on Windows, one wchar_t elsewhere.
    const std::wstring shell = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83D), wchar_t(0xDC1A)}
                                                    : std::wstring{wchar_t(0x1F41A)};
    const struct {
        std::wstring text;
        std::string bytes;
    } cases[] = {
            {L"", ""},
            {L"Murex", "Murex"},
            {L"S\u00E3o", "S\xC3\xA3o"},
            {L"\u20AC12",
             "\xE2\x82\xAC"
             "12"},
            {L"\u8C9D", "\xE8\xB2\x9D"},
            {shell, "\xF0\x9F\x90\x9A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeUtf8(c.text), c.bytes);
        EXPECT_EQ(Decoded(c.bytes), c.text);
    }
    // A surrogate alone is no character: it becomes the replacement character.
    EXPECT_EQ(EncodeUtf8(std::wstring{L'a', wchar_t(0xD83D)}), "a\xEF\xBF\xBD");
}

}  // namespace
