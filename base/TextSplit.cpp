#include "base/TextSplit.h"

#include "base/MarkupValues.h"

namespace {

bool IsTrimmed(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

}  // namespace

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

namespace {

struct SplitOptions {
    bool skipBlanks = false;
    bool keepQuotes = false;
    bool doubledQuotes = false;  // "" inside quotes is one quote character
};

std::vector<std::wstring> SplitText(std::wstring_view text, wchar_t separator, SplitOptions options) {
    const bool skipBlanks = options.skipBlanks;
    const bool keepQuotes = options.keepQuotes;
    const bool atWhiteSpace = separator == kSplitAtWhiteSpace;
    const bool skipAtStart = skipBlanks || atWhiteSpace;
    std::vector<std::wstring> pieces;
    std::wstring piece;
    bool inQuotes = false;
    bool skipping = skipAtStart;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"' && inQuotes && options.doubledQuotes && i + 1 < text.size() && text[i + 1] == L'"') {
            piece += c;
            ++i;
            continue;
        }
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
                // A copy of exactly its size; the scratch piece keeps its room for the next.
                pieces.push_back(piece);
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

}  // namespace

std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator, bool skipBlanks, bool keepQuotes) {
    return SplitText(text, separator, {skipBlanks, keepQuotes, false});
}

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    size_t position = 0;
    while (position < text.size()) {
        // White space at the start of a line is skipped, up to the line's end.
        size_t start = position;
        while (start < text.size() && text[start] != L'\n' && IsWhiteSpace(text[start]))
            ++start;
        // The line ends at the first line feed outside quotes.
        bool inQuotes = false;
        size_t end = start;
        for (; end < text.size() && (inQuotes || text[end] != L'\n'); ++end) {
            if (text[end] == L'"')
                inQuotes = !inQuotes;
        }
        if (end == text.size()) {
            if (end > start)
                lines.push_back(text.substr(start));
            break;
        }
        position = end + 1;
        if (end > start && text[end - 1] == L'\r')
            --end;
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::wstring> SplitCells(std::wstring_view line) {
    return SplitText(line, L',', {true, false, true});
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
    return ParseWholeNumber(text, 16);
}

std::wstring FillIn(std::wstring_view text, const std::vector<std::wstring>& values) {
    std::wstring filled;
    filled.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const bool placeholder = text[i] == L'%' && i + 1 < text.size() && text[i + 1] >= L'1' && text[i + 1] <= L'9';
        const size_t index = placeholder ? static_cast<size_t>(text[i + 1] - L'1') : values.size();
        if (index < values.size()) {
            filled += values[index];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}
