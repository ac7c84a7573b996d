#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Cutting texts into pieces, and small text helpers used by readers of outside data.

// The separator value that makes Split cut at runs of white space.
constexpr wchar_t kSplitAtWhiteSpace = 0x7FFF;

// Blanks, tabs, carriage returns, line feeds, vertical tabs and form feeds.
bool IsWhiteSpace(wchar_t c);

// Cuts the text at every separator outside double quotes. A double quote toggles quoting
// and is kept in the piece only with keepQuotes. Empty pieces count, except that the last
// piece is added only when it is not empty. With skipBlanks, white space at the start of
// each piece (before any quote) is dropped. With kSplitAtWhiteSpace, runs of white space
// separate the pieces and white space before the first one is dropped. When cutting at line
// feeds, the carriage return of a CR LF line end is not part of the line.
std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator, bool skipBlanks, bool keepQuotes);

// Split(text, '\n', true, true) without copying: each line is a contiguous part of the text.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

// The cells of one comma-separated line: Split(line, ',', true, false), except that two
// double quotes in a row inside quotes stand for one double quote in the cell.
std::vector<std::wstring> SplitCells(std::wstring_view line);

// The text without leading and trailing blanks, tabs, carriage returns and line feeds.
std::wstring Trim(std::wstring_view text);

// The pieces between commas, empty pieces left out.
std::vector<std::wstring> SplitAtCommas(std::wstring_view text);

// Like ParseInteger, in hexadecimal: skips to the first hexadecimal digit (a "-" before it
// makes the result negative), then reads 0-9, A-F and a-f. Values beyond 32 bits are held
// at the nearest 32-bit value.
std::int32_t ParseHex(std::wstring_view text);

// The text with "%1" to "%9" replaced by the values in that order; a number without a value,
// and every other "%", stays as written.
std::wstring FillIn(std::wstring_view text, const std::vector<std::wstring>& values);
