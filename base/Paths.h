#pragma once

#include <string>
#include <string_view>

// Windows paths taken apart as text; either separator counts.

// The folder of a path with its trailing separator ("C:\data\"); empty without a separator.
std::wstring FolderOf(std::wstring_view path);
// The text after the last separator; the whole path when there is none.
std::wstring FileNameOf(std::wstring_view path);
// Appends the character unless the text is empty or already ends with it.
void EnsureTrailing(std::wstring& text, wchar_t character);
