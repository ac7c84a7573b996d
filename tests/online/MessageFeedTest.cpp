#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "online/MessageFeed.h"

namespace {

FeedMessage ReadBytes(const std::string& bytes) {
    return ReadMessageFeed(FeedText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

TEST(MessageFeed, ReadsTheLastMessageAndDateInsideTheSectionOnly) {
    struct Case {
        std::string feed;
        const wchar_t* date;
        const wchar_t* message;
    };
    const Case cases[] = {
            {"<ORVELLE><DATE>2026-12-06</DATE><MESSAGE>&lt;body&gt;Hi&lt;/body&gt;</MESSAGE></ORVELLE>", L"2026-12-06",
             L"<body>Hi</body>"},
            {"<orvelle>\r\n<date>a</date><message>one</message><Message>two</Message></orvelle>", L"a", L"two"},
            {"<DATE>x</DATE><MESSAGE>outside</MESSAGE><ORVELLE><DATE>in</DATE></ORVELLE><MESSAGE>after</MESSAGE>",
             L"in", L""},
            {"<OTHER><DATE>x</DATE><MESSAGE>m</MESSAGE></OTHER>", L"", L""},
            // Entities for the RTF conversion reach it only when their "&" is itself escaped.
            {"<ORVELLE><MESSAGE>&amp;copy; &copy;</MESSAGE></ORVELLE>", L"", L"&copy; "},
            // Elements without text are passed over, keeping what an earlier one gave.
            {"<ORVELLE><DATE>d1</DATE><DATE></DATE><MESSAGE>m1</MESSAGE><MESSAGE><b>raw</b></MESSAGE></ORVELLE>", L"d1",
             L"m1"},
            {"<ORVELLE><DATE/><MESSAGE/></ORVELLE>", L"", L""},
            {"<ORVELLE><MESSAGE>cut short", L"", L""},
            {"", L"", L""},
            // Bytes are characters unless they are UTF-8 beyond ASCII.
            {"<ORVELLE><MESSAGE>caf\xC3\xA9 \xE2\x82\xAC</MESSAGE></ORVELLE>", L"", L"caf\u00E9 \u20AC"},
            {"<ORVELLE><MESSAGE>caf\xE9</MESSAGE></ORVELLE>", L"", L"caf\u00E9"},
    };
    for (const Case& c : cases) {
        const FeedMessage feed = ReadBytes(c.feed);
        EXPECT_EQ(feed.date, c.date) << c.feed;
        EXPECT_EQ(feed.message, c.message) << c.feed;
    }
}

TEST(MessageFeed, TextIsCappedAndKeepsCharactersBeyondTheFirstPlaneAsTwoUnits) {
    const std::vector<std::uint8_t> big(kFeedByteLimit + 1000, 'x');
    EXPECT_EQ(FeedText(big.data(), big.size()).size(), kFeedByteLimit);
    const std::string emoji = "\xF0\x9F\x90\x9A";
    const std::wstring text = FeedText(reinterpret_cast<const std::uint8_t*>(emoji.data()), emoji.size());
    EXPECT_EQ(text, std::wstring({static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDC1A)}));
}

TEST(MessageFeed, FetchesOncePerDayAndShowsEachDateOnce) {
    const LocalTime now{2026, 12, 6, 9, 0, 0};
    EXPECT_EQ(DayStamp(now), L"06122026");
    EXPECT_EQ(DayStamp({987, 1, 31, 0, 0, 0}), L"31010987");
    const std::optional<std::wstring> none;
    EXPECT_TRUE(IsFirstCheckToday(true, none, now));
    EXPECT_TRUE(IsFirstCheckToday(true, L"05122026", now));
    EXPECT_TRUE(IsFirstCheckToday(true, L"06122025", now));
    EXPECT_FALSE(IsFirstCheckToday(true, L"06122026", now));
    EXPECT_FALSE(IsFirstCheckToday(false, none, now));

    const FeedMessage feed{L"2026-12-06", L"<body>Hi</body>"};
    EXPECT_TRUE(ShouldShowMessage(feed, none));
    EXPECT_TRUE(ShouldShowMessage(feed, L"2026-12-05"));
    EXPECT_TRUE(ShouldShowMessage(feed, L"2026-12-06 "));
    EXPECT_FALSE(ShouldShowMessage(feed, L"2026-12-06"));
    EXPECT_FALSE(ShouldShowMessage({L"2026-12-07", L""}, none));
    EXPECT_TRUE(ShouldShowMessage({L"", L"no date"}, none));
    EXPECT_FALSE(ShouldShowMessage({L"", L"no date"}, L""));
}

}  // namespace
