#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The value syntaxes of the program's markup. Every parser reads a text up to its first NUL
// and never fails: malformed numbers read as 0.

// "&", "<" and ">" become "&amp;", "&lt;" and "&gt;"; everything else stays as it is.
std::wstring Escape(std::wstring_view text);
// Escape, appended to a text.
void AppendEscaped(std::wstring& out, std::wstring_view text);
// The reverse of Escape. Other entities are dropped; an "&" with no later ";" drops the rest.
std::wstring Unescape(std::wstring_view text);

// Skips everything before the first digit (a "-" among it makes the result negative), then
// reads digits. Values beyond 32 bits are held at the nearest 32-bit value.
std::int32_t ParseInteger(std::wstring_view text);
// The same in base 10 or 16.
std::int32_t ParseWholeNumber(std::wstring_view text, int base);
bool ParseBool(std::wstring_view text);
std::int32_t ParseClamped(std::wstring_view text, std::int32_t max, std::int32_t min);
std::uint32_t ParseAtMost(std::wstring_view text, std::uint32_t max);
// Like ParseInteger but with one optional "."; an exponent is not read.
double ParseDouble(std::wstring_view text);
// Comma-separated lists; empty pieces are skipped.
std::vector<std::uint8_t> ParseByteList(std::wstring_view text, std::uint8_t max);
std::vector<int> ParseIntegerList(std::wstring_view text, int max);
