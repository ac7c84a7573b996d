#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Turns the daily message's small HTML-like markup into an RTF document for the rich edit:
// text inside <body> only, white space folded, <b> <i> <u> <br> <p> <font face= color= size=>,
// and links and unknown tags kept protected (and shown as written when showTags is set).
//
// Every character of the result is below 256, so the stream hands it to the rich edit one
// byte per character: characters beyond 8 bits go out as \uN? escapes. Nothing in the markup
// can write RTF control words of its own.
std::wstring ConvertMarkupToRtf(std::wstring_view markup, bool showTags);

// The rich edit's stream callback, window-free: copies up to capacity bytes of the RTF text
// from the read position (the low 8 bits of each character), advances the position and
// returns the count; 0 once the text is all handed out.
size_t ReadRtfBytes(std::wstring_view rtf, size_t& position, std::uint8_t* buffer, size_t capacity);
