#include "base/TextCompare.h"

#include <algorithm>
#include <cstdint>

namespace {

// Folds the ASCII letters and the Latin-1 capitals; enough for the native tests.
wchar_t FoldCase(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 0x20);
    return c;
}

}  // namespace

bool SameText(std::wstring_view a, std::wstring_view b) {
    return a == b;
}

std::wstring SameTextKey(std::wstring_view text) {
    return std::wstring(text);
}

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return OrderIgnoringCase(a, b) == 0;
}

int OrderIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const wchar_t folded = FoldCase(a[i]);
        const wchar_t otherFolded = FoldCase(b[i]);
        if (folded != otherFolded)
            return folded < otherFolded ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string OrderKeyIgnoringCase(std::wstring_view text) {
    // Each folded unit as four bytes, most significant first: byte order is unit order, and a
    // text that begins another is the shorter key.
    std::string key;
    key.reserve(text.size() * 4);
    for (wchar_t c : text) {
        const auto unit = static_cast<std::uint32_t>(FoldCase(c));
        for (int shift = 24; shift >= 0; shift -= 8)
            key += static_cast<char>((unit >> shift) & 0xFF);
    }
    return key;
}

std::wstring FoldForFinding(std::wstring_view text) {
    // The Latin-1 letters from U+00E0 without their accents; '*' where a letter has no plainer form.
    static constexpr wchar_t kPlain[] = L"aaaaaa*ceeeeiiii*nooooo**uuuuy*y";
    std::wstring folded;
    folded.reserve(text.size());
    for (wchar_t c : text) {
        c = FoldCase(c);
        if (c >= 0xE0 && c <= 0xFF && kPlain[c - 0xE0] != L'*')
            c = kPlain[c - 0xE0];
        folded += c;
    }
    return folded;
}
