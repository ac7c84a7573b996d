#pragma once

#include <string>
#include <string_view>

// Window-free decisions of the program's start.

// The catalog file named on the command line: the rest of the last token that starts with
// "-F" or "/F" (either case). Tokens are cut at runs of white space; double quotes group and
// are dropped. Empty when no token names a file.
std::wstring CatalogFileFromCommandLine(std::wstring_view commandLine);

// The status bar's first part: "<category>: <count>".
std::wstring CategoryCountText(std::wstring_view category, int count);
