#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include "base/StringTable.h"
#include "online/UpdateSchedule.h"
#include "support/Fakes.h"

namespace {

using Ymd = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

Ymd AsTuple(const ScheduleDate& date) {
    return {date.year, date.month, date.day};
}

TEST(UpdateSchedule, FrequenciesAreListedInTheDialogsOrderWithTheirTexts) {
    const wchar_t* const texts[] = {L"1 Day",    L"2 Days",   L"1 Week", L"2 Weeks", L"1 Month",
                                    L"2 Months", L"6 Months", L"1 Year", L"Never"};
    ASSERT_EQ(std::size(texts), kFrequencies.size());
    for (size_t i = 0; i < kFrequencies.size(); ++i)
        EXPECT_EQ(LoadText(kFrequencies[i]), texts[i]) << kFrequencies[i];
}

TEST(UpdateSchedule, EachFrequencySetsItsNextCheck) {
    const std::tuple<LocalTime, unsigned, Ymd> cases[] = {
            {{2025, 6, 17, 23, 59, 0}, kFrequencyOneDay, {2025, 6, 18}},
            {{2025, 12, 31, 8, 0, 0}, kFrequencyOneDay, {2026, 1, 1}},
            {{2024, 2, 28, 8, 0, 0}, kFrequencyTwoDays, {2024, 3, 1}},
            {{2025, 6, 17, 8, 0, 0}, kFrequencyOneWeek, {2025, 6, 24}},
            {{2025, 6, 17, 8, 0, 0}, kFrequencyTwoWeeks, {2025, 7, 1}},
            {{2025, 1, 31, 8, 0, 0}, kFrequencyOneMonth, {2025, 2, 28}},
            {{2024, 1, 31, 8, 0, 0}, kFrequencyOneMonth, {2024, 2, 29}},
            {{2025, 12, 15, 8, 0, 0}, kFrequencyOneMonth, {2026, 1, 15}},
            {{2025, 12, 31, 8, 0, 0}, kFrequencyTwoMonths, {2026, 2, 28}},
            {{2025, 8, 31, 8, 0, 0}, kFrequencySixMonths, {2026, 2, 28}},
            {{2024, 2, 29, 8, 0, 0}, kFrequencyOneYear, {2025, 2, 28}},
            {{2025, 6, 17, 8, 0, 0}, kFrequencyNever, {9999, 1, 1}},
            {{2025, 6, 17, 8, 0, 0}, 0, {9999, 1, 1}},
            {{2025, 6, 17, 8, 0, 0}, 20704, {9999, 1, 1}},
    };
    for (const auto& [now, frequency, expected] : cases) {
        const FixedClock clock(now);
        EXPECT_EQ(AsTuple(NextCheckDate(frequency, clock)), expected)
                << frequency << " from " << now.year << "-" << now.month << "-" << now.day;
    }
}

TEST(UpdateSchedule, PackedDatesKeepYearMonthAndDayInTheirBitsAndAreClampedWhenRead) {
    EXPECT_EQ(PackDate({2026, 2, 28}), 2026u | (2u << 16) | (28u << 24));
    EXPECT_EQ(AsTuple(UnpackDate(PackDate({9999, 1, 1}))), Ymd(9999, 1, 1));
    const std::tuple<std::uint32_t, Ymd> cases[] = {
            {2025u | (0u << 16) | (0u << 24), {2025, 1, 1}},
            {2025u | (13u << 16) | (40u << 24), {2025, 12, 31}},
            {2025u | (2u << 16) | (31u << 24), {2025, 2, 28}},
            {2024u | (2u << 16) | (30u << 24), {2024, 2, 29}},
            {0xFFFFFFFFu, {0xFFFF, 12, 31}},
    };
    for (const auto& [packed, expected] : cases)
        EXPECT_EQ(AsTuple(UnpackDate(packed)), expected) << packed;
}

TEST(UpdateSchedule, ScheduleTextsAreTheFrequencyAndThePackedDateInDecimal) {
    const FixedClock clock({2025, 1, 31, 10, 0, 0});
    const StoredSchedule month = ScheduleFor(kFrequencyOneMonth, clock);
    EXPECT_EQ(month.frequency, L"20709");
    EXPECT_EQ(month.date, std::to_wstring(PackDate({2025, 2, 28})));
    EXPECT_EQ(ScheduleFor(kFrequencyNever, clock).date, std::to_wstring(PackDate({9999, 1, 1})));
}

TEST(UpdateSchedule, PlanWritesTheDefaultOnlyWhenNoDateIsStoredAndIsDueOnOrAfterTheStoredDay) {
    const FixedClock clock({2025, 6, 17, 12, 0, 0});
    auto packed = [](ScheduleDate date) { return std::optional<std::wstring>(std::to_wstring(PackDate(date))); };
    const std::optional<std::wstring> none;
    struct Case {
        std::optional<std::wstring> frequency;
        std::optional<std::wstring> date;
        bool due;
        unsigned preselected;
    };
    const Case cases[] = {
            {L"20709", packed({2025, 6, 16}), true, kFrequencyOneMonth},
            {L"20709", packed({2025, 6, 17}), true, kFrequencyOneMonth},
            {L"20706", packed({2025, 6, 18}), false, kFrequencyOneDay},
            {L"20706", packed({2024, 12, 31}), true, kFrequencyOneDay},
            {L"20706", packed({2026, 1, 1}), false, kFrequencyOneDay},
            {L"20710", packed({9999, 1, 1}), false, kFrequencyNever},
            // "Never" is never due, even when the rest of the date has passed by its own reading.
            {L"20710", std::to_wstring(9999u), false, kFrequencyNever},
            // A frequency that is none of the nine, or none at all, opens the dialog on "1 Week".
            {L"20704", packed({2025, 1, 1}), true, kFrequencyOneWeek},
            {L"-5", packed({2025, 1, 1}), true, kFrequencyOneWeek},
            {none, packed({2025, 1, 1}), true, kFrequencyOneWeek},
            {L"20703", L"not a date", true, kFrequencySixMonths},
    };
    for (const Case& c : cases) {
        const UpdatePlan plan = PlanUpdateCheck(c.frequency, c.date, clock);
        EXPECT_EQ(plan.due, c.due) << c.frequency.value_or(L"none") << " " << c.date.value_or(L"none");
        EXPECT_EQ(plan.frequency, c.preselected) << c.frequency.value_or(L"none");
        EXPECT_FALSE(plan.defaultToStore) << c.frequency.value_or(L"none");
    }

    for (const std::optional<std::wstring>& frequency : {none, std::optional<std::wstring>(L"20709")}) {
        const UpdatePlan plan = PlanUpdateCheck(frequency, none, clock);
        EXPECT_FALSE(plan.due);
        EXPECT_EQ(plan.frequency, kFrequencyOneWeek);
        ASSERT_TRUE(plan.defaultToStore);
        EXPECT_EQ(plan.defaultToStore->frequency, L"20714");
        EXPECT_EQ(plan.defaultToStore->date, *packed({2025, 6, 24}));
        // What was stored as the default is not due on the day it was stored.
        EXPECT_FALSE(PlanUpdateCheck(plan.defaultToStore->frequency, plan.defaultToStore->date, clock).due);
    }
}

}  // namespace
