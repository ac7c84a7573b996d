#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"

// The daily message from the vendor's feed: a markup document whose "ORVELLE" section holds a
// "MESSAGE" (escaped markup for the RTF conversion) and a "DATE" that tells messages apart.

// The feed is read up to this many bytes; the rest is not fetched.
constexpr size_t kFeedByteLimit = 256 * 1024;
constexpr std::wstring_view kFeedSection = L"ORVELLE";

struct FeedMessage {
    std::wstring date;
    std::wstring message;
};

// The document text of the fetched bytes (at most kFeedByteLimit of them): UTF-8 when they are
// valid UTF-8 holding characters beyond ASCII, else one character per byte.
std::wstring FeedText(const std::uint8_t* bytes, size_t count);

// Reads MESSAGE and DATE (names ignoring case; the last of each counts) inside the section,
// unescaped. Elements without text, or outside the section, are passed over.
FeedMessage ReadMessageFeed(std::wstring text);

// "LastHint": the day as eight digits, day, month and year: "06122026".
std::wstring DayStamp(const LocalTime& now);

// Whether the feed is fetched now: messages are on and "LastHint" (none when it cannot be
// read) is not today. The caller then stores DayStamp(now) as "LastHint".
bool IsFirstCheckToday(bool messagesEnabled, const std::optional<std::wstring>& lastHint, const LocalTime& now);

// Whether a date differs from "HintDate" (none when it cannot be read); exact comparison.
bool IsNewMessage(const std::optional<std::wstring>& hintDate, std::wstring_view date);

// Whether the message is shown: it is not empty and its date is new. The caller then stores its
// date as "HintDate".
bool ShouldShowMessage(const FeedMessage& feed, const std::optional<std::wstring>& hintDate);
