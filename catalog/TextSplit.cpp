#include "catalog/TextSplit.h"

#include <limits>

namespace {

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}

bool IsTrimmed(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

}  // namespace

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator, bool skipBlanks, bool keepQuotes) {
    const bool atWhiteSpace = separator == kSplitAtWhiteSpace;
    const bool skipAtStart = skipBlanks || atWhiteSpace;
    std::vector<std::wstring> pieces;
    std::wstring piece;
    bool inQuotes = false;
    bool skipping = skipAtStart;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"') {
            inQuotes = !inQuotes;
            skipping = false;
            if (keepQuotes)
                piece += c;
            continue;
        }
        if (!inQuotes) {
            // Cutting at white space, only the first blank of a run ends a piece; the others
            // are skipped like blanks at the start.
            bool endsPiece = atWhiteSpace ? IsWhiteSpace(c) && !skipping : c == separator;
            if (endsPiece) {
                pieces.push_back(std::move(piece));
                piece.clear();
                skipping = skipAtStart;
                continue;
            }
            if (skipping && IsWhiteSpace(c))
                continue;
            if (c == L'\r' && separator == L'\n' && i + 1 < text.size() && text[i + 1] == L'\n')
                continue;
            skipping = false;
        }
        piece += c;
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));
    return pieces;
}

std::wstring Trim(std::wstring_view text) {
    size_t first = 0;
    while (first < text.size() && IsTrimmed(text[first]))
        ++first;
    size_t end = text.size();
    while (end > first && IsTrimmed(text[end - 1]))
        --end;
    return std::wstring(text.substr(first, end - first));
}

std::vector<std::wstring> SplitAtCommas(std::wstring_view text) {
    std::vector<std::wstring> pieces;
    while (!text.empty()) {
        size_t comma = text.find(L',');
        std::wstring_view piece = text.substr(0, comma);
        if (!piece.empty())
            pieces.emplace_back(piece);
        if (comma == std::wstring_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return pieces;
}

std::int32_t ParseHex(std::wstring_view text) {
    // Like the other number parsers, the text ends at its first NUL.
    text = text.substr(0, text.find(L'\0'));
    size_t i = 0;
    bool negative = false;
    for (; i < text.size() && HexDigitValue(text[i]) < 0; ++i) {
        if (text[i] == L'-')
            negative = true;
    }
    constexpr long long kLimit = 1LL << 32;
    long long magnitude = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        magnitude = magnitude * 16 + HexDigitValue(text[i]);
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
