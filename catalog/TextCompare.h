#pragma once

#include <string_view>

// Text comparison for category names, tag names and file names. On Windows it is the system
// locale's linguistic comparison; elsewhere a plain code-unit comparison stands in.

// Equal as the user sees them, letter case included (category names).
bool SameText(std::wstring_view a, std::wstring_view b);

// Equal ignoring letter case (markup tag names, file names, captions).
bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b);
