// Reads arbitrary bytes as the daily message feed, as start-up does, and converts the message
// it finds to RTF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/MarkupToRtf.h"
#include "online/MessageFeed.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const FeedMessage feed = ReadMessageFeed(FeedText(data, size));
    IsNewMessage(std::wstring(L"x"), feed.date);
    if (!feed.message.empty()) {
        for (wchar_t c : ConvertMarkupToRtf(feed.message, true)) {
            if (static_cast<unsigned>(c) >= 0x100)
                std::abort();
        }
    }
    return 0;
}
