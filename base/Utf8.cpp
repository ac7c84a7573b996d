#include "base/Utf8.h"

namespace {

// The length of the sequence a lead byte starts; 0 for a byte that cannot start one.
int SequenceLength(std::uint8_t lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes the sequence at bytes[i]; false when it is cut short or not the shortest form of a
// character that may be written.
bool NextCodePoint(const std::uint8_t* bytes, size_t count, size_t& i, char32_t& codePoint) {
    const int length = SequenceLength(bytes[i]);
    if (length == 0 || count - i < static_cast<size_t>(length))
        return false;
    constexpr std::uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    codePoint = bytes[i] & kLeadBits[length];
    for (int k = 1; k < length; ++k) {
        const std::uint8_t next = bytes[i + static_cast<size_t>(k)];
        if ((next & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    i += static_cast<size_t>(length);
    return true;
}

void Append(std::wstring& text, char32_t codePoint) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
            text += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
            return;
        }
    }
    text += static_cast<wchar_t>(codePoint);
}

}  // namespace

bool StartsWithUtf8Mark(const std::uint8_t* bytes, size_t count) {
    return count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

bool LooksLikeUtf8(const std::uint8_t* bytes, size_t count) {
    bool multiByte = false;
    char32_t codePoint = 0;
    for (size_t i = 0; i < count;) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        if (!NextCodePoint(bytes, count, i, codePoint))
            return false;
        multiByte = true;
    }
    return multiByte;
}

std::optional<std::wstring> DecodeUtf8(const std::uint8_t* bytes, size_t count) {
    std::wstring text;
    text.reserve(count);
    char32_t codePoint = 0;
    for (size_t i = 0; i < count;) {
        if (!NextCodePoint(bytes, count, i, codePoint))
            return std::nullopt;
        Append(text, codePoint);
    }
    return text;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto codePoint = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            const bool high = codePoint >= 0xD800 && codePoint <= 0xDBFF;
            const bool lowFollows = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            if (high && lowFollows)
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
            codePoint = 0xFFFD;
        if (codePoint < 0x80) {
            bytes += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            bytes += static_cast<char>(0xC0 | (codePoint >> 6));
            bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else if (codePoint < 0x10000) {
            bytes += static_cast<char>(0xE0 | (codePoint >> 12));
            bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (codePoint >> 18));
            bytes += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return bytes;
}
