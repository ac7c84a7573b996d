#include "online/MessageFeed.h"

#include <algorithm>

#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/Utf8.h"

namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

void AppendTwoDigits(std::wstring& out, unsigned value) {
    out += static_cast<wchar_t>(L'0' + value / 10 % 10);
    out += static_cast<wchar_t>(L'0' + value % 10);
}

// Code points beyond the first plane as two units, where wchar_t could hold them whole.
std::wstring AsUtf16Units(const std::wstring& text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return text;
    } else {
        std::wstring units;
        units.reserve(text.size());
        for (wchar_t c : text) {
            const auto code = static_cast<std::uint32_t>(c);
            if (code < 0x10000) {
                units += c;
            } else {
                units += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
                units += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            }
        }
        return units;
    }
}

}  // namespace

std::wstring FeedText(const std::uint8_t* bytes, size_t count) {
    count = std::min(count, kFeedByteLimit);
    if (LooksLikeUtf8(bytes, count)) {
        if (std::optional<std::wstring> text = DecodeUtf8(bytes, count))
            return AsUtf16Units(*text);
    }
    return std::wstring(bytes, bytes + count);
}

FeedMessage ReadMessageFeed(std::wstring text) {
    MarkupDocument document;
    document.SetText(std::move(text));
    FeedMessage feed;
    bool inSection = false;
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        if (SameIgnoringCase(name, kFeedSection)) {
            inSection = !document.IsEndTag();
            continue;
        }
        if (!inSection || document.IsEndTag())
            continue;
        std::wstring* field = SameIgnoringCase(name, L"MESSAGE") ? &feed.message
                              : SameIgnoringCase(name, L"DATE")  ? &feed.date
                                                                 : nullptr;
        if (!field)
            continue;
        // An element without text ("<DATE></DATE>", a MESSAGE holding a raw tag) has none.
        if (const wchar_t* value = document.ReadText(name))
            *field = Unescape({value, document.TextLength()});
    }
    return feed;
}

std::wstring DayStamp(const LocalTime& now) {
    std::wstring stamp;
    AppendTwoDigits(stamp, now.day);
    AppendTwoDigits(stamp, now.month);
    AppendTwoDigits(stamp, now.year / 100);
    AppendTwoDigits(stamp, now.year);
    return stamp;
}

bool IsFirstCheckToday(bool messagesEnabled, const std::optional<std::wstring>& lastHint, const LocalTime& now) {
    return messagesEnabled && lastHint != DayStamp(now);
}

bool IsNewMessage(const std::optional<std::wstring>& hintDate, std::wstring_view date) {
    return !hintDate || *hintDate != date;
}

bool ShouldShowMessage(const FeedMessage& feed, const std::optional<std::wstring>& hintDate) {
    return !feed.message.empty() && IsNewMessage(hintDate, feed.date);
}
