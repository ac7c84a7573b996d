#pragma once

#include <string>
#include <string_view>

// Text comparison for category names, tag names and file names. On Windows it is the system
// locale's linguistic comparison; elsewhere a plain code-unit comparison stands in.

// Equal as the user sees them, letter case included (category names).
bool SameText(std::wstring_view a, std::wstring_view b);

// A key for finding a text among many without comparing it with each: two texts are SameText
// exactly when their keys are equal. On Windows it is the system's sort key for that
// comparison, which the system documents to order and match as the comparison does; elsewhere
// the text itself.
std::wstring SameTextKey(std::wstring_view text);

// Equal ignoring letter case (markup tag names, file names, captions).
bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b);

// Equal ignoring the case of the ASCII letters alone, without asking the system: for the
// program's own element names, which are plain ASCII, where a large file would otherwise ask
// once per element.
inline bool SameAsciiIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i];
        wchar_t y = b[i];
        if (x >= L'a' && x <= L'z')
            x = static_cast<wchar_t>(x - 0x20);
        if (y >= L'a' && y <= L'z')
            y = static_cast<wchar_t>(y - 0x20);
        if (x != y)
            return false;
    }
    return true;
}

// A text lower-cased and stripped of its accents, for finding words in it: texts that differ
// only in letter case or diacritics ("São Paulo", "SAO PAULO") fold to the same text. On
// Windows the system decomposes the letters; elsewhere the Latin-1 letters stand in.
std::wstring FoldForFinding(std::wstring_view text);

// Orders two texts ignoring letter case (choice boxes, list columns): negative, zero or
// positive as a comes before, with or after b. Texts the system cannot compare are ordered by
// their code units, so that two different texts never count as equal.
int OrderIgnoringCase(std::wstring_view a, std::wstring_view b);

// A key that orders as OrderIgnoringCase does: two keys compared as byte strings give the order
// of their texts. Sorting many texts by keys made once each is far quicker than comparing the
// texts pair by pair. On Windows it is the system's sort key for that comparison.
std::string OrderKeyIgnoringCase(std::wstring_view text);
