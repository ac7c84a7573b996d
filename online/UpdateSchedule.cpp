#include "online/UpdateSchedule.h"

#include <algorithm>

#include "base/MarkupValues.h"
#include "base/NumberFormat.h"

namespace {

CalendarDate Today(const Clock& clock) {
    CalendarDate date;
    date.SetToNow(clock);
    return date;
}

bool IsKnownFrequency(unsigned frequency) {
    return std::find(kFrequencies.begin(), kFrequencies.end(), frequency) != kFrequencies.end();
}

// Days to add, or months when days is 0; none of either means "Never".
struct Step {
    int days;
    int months;
};

Step StepOf(unsigned frequency) {
    switch (frequency) {
        case kFrequencyOneDay:
            return {1, 0};
        case kFrequencyTwoDays:
            return {2, 0};
        case kFrequencyOneWeek:
            return {7, 0};
        case kFrequencyTwoWeeks:
            return {14, 0};
        case kFrequencyOneMonth:
            return {0, 1};
        case kFrequencyTwoMonths:
            return {0, 2};
        case kFrequencySixMonths:
            return {0, 6};
        case kFrequencyOneYear:
            return {0, 12};
        default:
            return {0, 0};
    }
}

}  // namespace

std::uint32_t PackDate(const ScheduleDate& date) {
    return (date.year & 0xFFFF) | ((date.month & 0xFF) << 16) | ((date.day & 0xFF) << 24);
}

ScheduleDate UnpackDate(std::uint32_t packed) {
    CalendarDate date;
    date.SetYear(packed & 0xFFFF);
    date.SetMonth((packed >> 16) & 0xFF);
    date.SetDay(packed >> 24);
    return {date.Year(), date.Month(), date.Day()};
}

ScheduleDate NextCheckDate(unsigned frequency, const Clock& clock) {
    const Step step = StepOf(frequency);
    if (step.days == 0 && step.months == 0)
        return {kNeverYear, 1, 1};
    CalendarDate date = Today(clock);
    if (step.days != 0)
        date.AddDays(step.days);
    else
        date.AddMonths(step.months);
    return {date.Year(), date.Month(), date.Day()};
}

StoredSchedule ScheduleFor(unsigned frequency, const Clock& clock) {
    return {FormatInteger(frequency), FormatInteger(PackDate(NextCheckDate(frequency, clock)))};
}

UpdatePlan PlanUpdateCheck(const std::optional<std::wstring>& storedFrequency,
                           const std::optional<std::wstring>& storedDate, const Clock& clock) {
    UpdatePlan plan;
    if (storedFrequency) {
        const auto frequency = static_cast<unsigned>(ParseInteger(*storedFrequency));
        if (IsKnownFrequency(frequency))
            plan.frequency = frequency;
    }
    if (!storedDate) {
        // A week from now is never due today.
        plan.defaultToStore = ScheduleFor(kFrequencyOneWeek, clock);
        plan.frequency = kFrequencyOneWeek;
        return plan;
    }
    const ScheduleDate next = UnpackDate(static_cast<std::uint32_t>(ParseInteger(*storedDate)));
    CalendarDate nextDate;
    nextDate.SetDate(next.month, next.day, next.year);
    plan.due = next.year != kNeverYear && CalendarDate::CompareDate(nextDate, Today(clock)) >= 0;
    return plan;
}
