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

// Orders two texts ignoring letter case (choice boxes, list columns): negative, zero or
// positive as a comes before, with or after b. Texts the system cannot compare are ordered by
// their code units, so that two different texts never count as equal.
int OrderIgnoringCase(std::wstring_view a, std::wstring_view b);
