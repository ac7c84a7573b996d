// Converts arbitrary UTF-16LE text to RTF, with and without tags shown, and checks that the
// result is RTF of the converter's own making: one byte per character, balanced groups, and no
// control word the converter does not write itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "online/MarkupToRtf.h"

namespace {

std::wstring ToText(const std::uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

bool IsLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool IsHex(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckRtf(std::wstring_view rtf) {
    static const std::set<std::wstring_view> kWords = {
            L"rtf",     L"ansi",  L"deff", L"deftab",  L"fonttbl", L"f",     L"fswiss", L"colortbl",
            L"red",     L"green", L"blue", L"deflang", L"pard",    L"plain", L"fs",     L"cf",
            L"protect", L"b",     L"i",    L"ul",      L"par",     L"u"};
    Check(rtf.starts_with(L"{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl") && rtf.ends_with(L"\\par }"));
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        const wchar_t c = rtf[i];
        Check(static_cast<unsigned>(c) < 0x100);
        if (c == L'{') {
            ++depth;
        } else if (c == L'}') {
            Check(--depth >= 0);
            Check(depth > 0 || i + 1 == rtf.size());
        } else if (c == L'\\') {
            Check(++i < rtf.size());
            const wchar_t next = rtf[i];
            if (IsLetter(next)) {
                const size_t start = i;
                while (i < rtf.size() && IsLetter(rtf[i]))
                    ++i;
                Check(kWords.count(rtf.substr(start, i - start)) == 1);
                --i;
            } else if (next == L'\'') {
                Check(i + 2 < rtf.size() && IsHex(rtf[i + 1]) && IsHex(rtf[i + 2]));
                i += 2;
            } else {
                Check(next == L'\\' || next == L'{' || next == L'}' || next == L'\n');
            }
        }
    }
    Check(depth == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::wstring markup = ToText(data, size);
    CheckRtf(ConvertMarkupToRtf(markup, true));
    CheckRtf(ConvertMarkupToRtf(markup, false));
    return 0;
}
