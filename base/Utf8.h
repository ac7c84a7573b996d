#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Comma-separated files from today's spreadsheets are UTF-8, with or without the mark.

// Whether the bytes start with the UTF-8 byte-order mark (EF BB BF).
bool StartsWithUtf8Mark(const std::uint8_t* bytes, size_t count);

// Whether the bytes hold at least one multi-byte UTF-8 sequence and nothing that is not valid
// UTF-8 (no stray continuation bytes, no overlong forms, no surrogates, nothing past U+10FFFF).
// Plain ASCII is not taken as UTF-8: read one byte per character it gives the same text.
bool LooksLikeUtf8(const std::uint8_t* bytes, size_t count);

// The text of valid UTF-8 bytes, in the platform's wide characters (UTF-16 on Windows, with
// surrogate pairs beyond the first plane); none when the bytes are not valid UTF-8.
std::optional<std::wstring> DecodeUtf8(const std::uint8_t* bytes, size_t count);

// The text as UTF-8 bytes; a lone surrogate becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text);
