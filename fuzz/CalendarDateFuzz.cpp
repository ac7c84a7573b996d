// Reads arbitrary UTF-16LE text as a date in every date style, writes it back, and moves the
// date by numbers taken from the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalog/CalendarDate.h"

namespace {

class FixedClock final : public Clock {
public:
    LocalTime Now() const override { return LocalTime{2008, 2, 29, 23, 59, 59}; }
};

std::wstring ToText(const std::uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

// A signed 32-bit number from four bytes of the input, low byte first; 0 when too short.
int NumberAt(const std::uint8_t* data, size_t size, size_t offset) {
    if (offset + 4 > size)
        return 0;
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(data[offset + i]) << (8 * i);
    return static_cast<int>(static_cast<std::int32_t>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const FixedClock clock;
    std::wstring text = ToText(data, size);
    int timeStyle = size > 0 ? data[0] % 13 : 5;
    for (int style = 1; style <= 7; ++style) {
        CalendarDate date;
        date.SetToNow(clock);
        date.LoadNames();
        date.SetDateStyle(style);
        date.SetTimeStyle(timeStyle);
        date.Parse(text);
        date.Format();
        date.AddDays(NumberAt(data, size, 0));
        date.AddMonths(NumberAt(data, size, 4));
        date.AddDays(NumberAt(data, size, 8));
        CalendarDate::CompareDate(date, CalendarDate());
        CalendarDate::CompareTime(date, CalendarDate());
        date.Format();
    }
    return 0;
}
