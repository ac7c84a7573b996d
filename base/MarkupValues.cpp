#include "base/MarkupValues.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The text up to its first NUL: values handed out by the reader end there.
std::wstring_view UpToNul(std::wstring_view text) {
    size_t nul = text.find(L'\0');
    return nul == std::wstring_view::npos ? text : text.substr(0, nul);
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() > prefix.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + 0x20);
        if (c != prefix[i])
            return false;
    }
    return true;
}

template <typename Each>
void ForEachPiece(std::wstring_view text, Each each) {
    text = UpToNul(text);
    while (!text.empty()) {
        size_t comma = text.find(L',');
        std::wstring_view piece = text.substr(0, comma);
        if (!piece.empty())
            each(piece);
        if (comma == std::wstring_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace

namespace {

const wchar_t* EntityFor(wchar_t c) {
    switch (c) {
        case L'&':
            return L"&amp;";
        case L'<':
            return L"&lt;";
        case L'>':
            return L"&gt;";
        default:
            return nullptr;
    }
}

// The known entity an "&...;" stands for, read from its leading letters; NUL for none.
wchar_t EntityCharacter(std::wstring_view entity) {
    if (StartsWithIgnoringCase(entity, L"&amp"))
        return L'&';
    if (StartsWithIgnoringCase(entity, L"&lt"))
        return L'<';
    if (StartsWithIgnoringCase(entity, L"&gt"))
        return L'>';
    return L'\0';
}

}  // namespace

void AppendEscaped(std::wstring& out, std::wstring_view text) {
    // Most texts have nothing to escape; a loop without an early exit or branches finds that
    // quickly (the compiler can take several characters at a time).
    unsigned special = 0;
    for (wchar_t c : text)
        special |= static_cast<unsigned>(c == L'&') | static_cast<unsigned>(c == L'<') |
                   static_cast<unsigned>(c == L'>');
    if (special == 0) {
        out += text;
        return;
    }
    // Runs without a character to escape are copied whole.
    size_t runStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const wchar_t* entity = EntityFor(text[i])) {
            out.append(text.data() + runStart, i - runStart);
            out += entity;
            runStart = i + 1;
        }
    }
    out.append(text.data() + runStart, text.size() - runStart);
}

std::wstring Escape(std::wstring_view text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    AppendEscaped(escaped, text);
    return escaped;
}

std::wstring Unescape(std::wstring_view text) {
    text = UpToNul(text);
    // Most texts hold no entity: they are taken whole.
    size_t amp = text.find(L'&');
    std::wstring plain(text.substr(0, amp));
    while (amp != std::wstring_view::npos) {
        // An entity runs to the next ";"; a later "&" before it starts the entity again.
        const size_t semicolon = text.find(L';', amp);
        if (semicolon == std::wstring_view::npos)
            break;
        const size_t lastAmp = text.rfind(L'&', semicolon);
        if (wchar_t c = EntityCharacter(text.substr(lastAmp, semicolon - lastAmp)))
            plain += c;
        amp = text.find(L'&', semicolon + 1);
        plain.append(text.substr(semicolon + 1, amp == std::wstring_view::npos ? amp : amp - semicolon - 1));
    }
    return plain;
}

namespace {

// The value of a digit in the base (10 or 16), or -1 when it is none.
int DigitValue(wchar_t c, int base) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (base == 16 && c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (base == 16 && c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

std::int32_t ParseWholeNumber(std::wstring_view text, int base) {
    text = UpToNul(text);
    size_t i = 0;
    bool negative = false;
    for (; i < text.size() && DigitValue(text[i], base) < 0; ++i) {
        if (text[i] == L'-')
            negative = true;
    }
    constexpr long long kLimit = 1LL << 32;
    long long magnitude = 0;
    for (; i < text.size() && DigitValue(text[i], base) >= 0; ++i) {
        magnitude = magnitude * base + DigitValue(text[i], base);
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    long long result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (result < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(result);
}

std::int32_t ParseInteger(std::wstring_view text) {
    return ParseWholeNumber(text, 10);
}

bool ParseBool(std::wstring_view text) {
    return ParseInteger(text) == 1;
}

std::int32_t ParseClamped(std::wstring_view text, std::int32_t max, std::int32_t min) {
    std::int32_t value = ParseInteger(text);
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

std::uint32_t ParseAtMost(std::wstring_view text, std::uint32_t max) {
    std::uint32_t value = static_cast<std::uint32_t>(ParseInteger(text));
    return value < max ? value : max;
}

double ParseDouble(std::wstring_view text) {
    text = UpToNul(text);
    size_t i = 0;
    bool negative = false;
    for (; i < text.size() && !IsDigit(text[i]) && text[i] != L'.'; ++i) {
        if (text[i] == L'-')
            negative = true;
    }
    // Collect the number's own characters and let from_chars round them exactly.
    std::string number = "0";
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'.' && !seenPoint)
            seenPoint = true;
        else if (!IsDigit(c))
            break;
        number += static_cast<char>(c);
    }
    double value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large when a non-zero digit stands before the point, otherwise too small.
        size_t point = number.find('.');
        std::string_view whole(number.data(), point == std::string::npos ? number.size() : point);
        bool large = whole.find_first_not_of('0') != std::string_view::npos;
        value = large ? std::numeric_limits<double>::max() : 0;
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

std::vector<std::uint8_t> ParseByteList(std::wstring_view text, std::uint8_t max) {
    std::vector<std::uint8_t> bytes;
    ForEachPiece(text, [&](std::wstring_view piece) {
        auto byte = static_cast<std::uint8_t>(static_cast<std::uint32_t>(ParseInteger(piece)) & 0xFF);
        bytes.push_back(byte > max ? max : byte);
    });
    return bytes;
}

std::vector<int> ParseIntegerList(std::wstring_view text, int max) {
    std::vector<int> integers;
    ForEachPiece(text, [&](std::wstring_view piece) {
        std::int32_t value = ParseInteger(piece);
        if (value == std::numeric_limits<std::int32_t>::min())
            value = std::numeric_limits<std::int32_t>::min() + 1;
        integers.push_back(value > max ? max : value);
    });
    return integers;
}
