#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "catalog/CalendarDate.h"

// The automatic update's schedule: a frequency (the string identifier of its text) and the
// date of the next check, both stored as decimal texts in the program's registry key.

constexpr unsigned kFrequencyOneDay = 20706;
constexpr unsigned kFrequencyTwoDays = 20700;
constexpr unsigned kFrequencyOneWeek = 20714;
constexpr unsigned kFrequencyTwoWeeks = 20702;
constexpr unsigned kFrequencyOneMonth = 20709;
constexpr unsigned kFrequencyTwoMonths = 20701;
constexpr unsigned kFrequencySixMonths = 20703;
constexpr unsigned kFrequencyOneYear = 20717;
constexpr unsigned kFrequencyNever = 20710;

// In the order the dialog lists them.
constexpr std::array<unsigned, 9> kFrequencies = {kFrequencyOneDay,    kFrequencyTwoDays,  kFrequencyOneWeek,
                                                  kFrequencyTwoWeeks,  kFrequencyOneMonth, kFrequencyTwoMonths,
                                                  kFrequencySixMonths, kFrequencyOneYear,  kFrequencyNever};

// "Never" stores this year; a stored date in it is never due.
constexpr std::uint32_t kNeverYear = 9999;

struct ScheduleDate {
    std::uint32_t year = 0;
    std::uint32_t month = 1;
    std::uint32_t day = 1;
};

// Bits 0-15 the year, 16-23 the month, 24-31 the day.
std::uint32_t PackDate(const ScheduleDate& date);
// The month is clamped to 1..12 and then the day to 1..the month's length.
ScheduleDate UnpackDate(std::uint32_t packed);

// The next check for a frequency chosen now: days as whole 24-hour periods, months
// calendar-wise with the day kept within the month; "Never" and any unknown identifier give
// 9999-01-01.
ScheduleDate NextCheckDate(unsigned frequency, const Clock& clock);

// The two registry texts: "AutoUpdate_Freq" and "AutoUpdate_Date".
struct StoredSchedule {
    std::wstring frequency;
    std::wstring date;
};
StoredSchedule ScheduleFor(unsigned frequency, const Clock& clock);

// What a check learns from the stored texts (none when a value cannot be read) before it asks.
struct UpdatePlan {
    // The default schedule to store first: "1 Week" from now, only when no date is stored.
    std::optional<StoredSchedule> defaultToStore;
    // Whether a start-up check is due: the stored date is today or earlier and not "Never".
    bool due = false;
    // The frequency the dialog selects: the stored one when it is one of the nine, else "1 Week".
    unsigned frequency = kFrequencyOneWeek;
};
UpdatePlan PlanUpdateCheck(const std::optional<std::wstring>& storedFrequency,
                           const std::optional<std::wstring>& storedDate, const Clock& clock);
