#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/CalendarDate.h"
#include "catalog/Catalog.h"
#include "catalog/RestyleDates.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"

namespace {

// A day in a year that is not a leap year, so that leap days cannot come from "now".
const FixedClock kClock({2025, 6, 17, 9, 30, 15});

using Ymd = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

Ymd DateOf(const CalendarDate& date) {
    return {date.Year(), date.Month(), date.Day()};
}

CalendarDate MakeDate(Ymd ymd, int dateStyle = 3) {
    CalendarDate date;
    date.SetToNow(kClock);
    date.LoadNames();
    date.SetDate(std::get<1>(ymd), std::get<2>(ymd), std::get<0>(ymd));
    date.SetDateStyle(dateStyle);
    return date;
}

TEST(CalendarDate, FormatWritesEveryDateAndTimeStyle) {
    const std::tuple<int, int, std::uint32_t, std::uint32_t, const wchar_t*> cases[] = {
            {1, 5, 0, 5, L"01/05/08"},
            {2, 5, 0, 5, L"Jan 05, 2008"},
            {3, 5, 0, 5, L"01/05/2008"},
            {4, 5, 0, 5, L"January 05, 2008"},
            {5, 5, 0, 5, L"05/01/08"},
            {6, 5, 0, 5, L"05/01/2008"},
            {7, 5, 0, 5, L"2008-01-05"},
            {0, 5, 13, 7, L""},
            {8, 10, 13, 7, L" 13:07"},
            {7, 6, 0, 5, L"2008-01-05 12:05 AM"},
            {7, 6, 13, 7, L"2008-01-05 01:07 PM"},
            {7, 6, 12, 0, L"2008-01-05 12:00 PM"},
            {7, 7, 23, 59, L"2008-01-05 11:59:09 PM"},
            {7, 8, 0, 5, L"2008-01-05 12:05"},
            {7, 9, 13, 7, L"2008-01-05 01:07:09"},
            {7, 10, 0, 5, L"2008-01-05 00:05"},
            {7, 11, 13, 7, L"2008-01-05 13:07:09"},
            {7, 12, 13, 7, L"2008-01-05 "},
    };
    for (const auto& [dateStyle, timeStyle, hour, minute, expected] : cases) {
        CalendarDate date = MakeDate({2008, 1, 5}, dateStyle);
        date.SetTime(hour, minute, 9);
        date.SetTimeStyle(timeStyle);
        EXPECT_EQ(date.Format(), expected) << dateStyle << " " << timeStyle;
    }
}

TEST(CalendarDate, WithoutLoadedNamesTheSeparatorIsADashAndNoMonthNameIsRead) {
    CalendarDate date;
    date.SetDate(1, 5, 2008);
    EXPECT_EQ(date.Format(), L"01-05-2008");
    date.SetDateStyle(4);
    EXPECT_EQ(date.Format(), L"05, 2008");
    EXPECT_FALSE(date.Parse(L"January 5, 2008"));
    EXPECT_EQ(DateOf(date), (Ymd{0, 5, 31}));
}

TEST(CalendarDate, ParseReadsNumbersInTheOrderOfTheDateStyle) {
    const std::tuple<int, const wchar_t*, Ymd, bool> cases[] = {
            {6, L"5/1/2008", {2008, 1, 5}, true},
            {3, L"5/1/2008", {2008, 5, 1}, true},
            {1, L"12/31/07", {2007, 12, 31}, true},
            {1, L"1/5/99", {2099, 1, 5}, true},
            {1, L"1/5/100", {100, 1, 5}, true},
            {3, L"12/31/07", {7, 12, 31}, true},
            {5, L"31.12.07", {2007, 12, 31}, true},
            {6, L"31/02/2009", {2009, 2, 28}, true},
            {6, L"29/02/2008", {2008, 2, 29}, true},
            {7, L"2008-01-05", {2008, 1, 5}, true},
            {2, L"1 5 2008", {2008, 1, 5}, true},
            {4, L"-1/-5/-2008", {2008, 1, 5}, true},
            {3, L"13/32/2008", {2008, 12, 31}, true},
            {3, L"0/0/0", {0, 1, 1}, true},
            {3, L"1/1/99999999999", {2147483647, 1, 1}, true},
            {3, L"unknown", {0, 1, 1}, false},
            {1, L"", {2000, 1, 1}, false},
            {5, L"1998", {2000, 1, 31}, false},
            {3, L"Summer 1998", {0, 12, 1}, false},
            {6, L"5/1", {0, 1, 5}, false},
            {3, L"Mayfly 7 8 2008", {2008, 7, 8}, true},  // a name counts only with its space
    };
    for (const auto& [style, text, expected, whole] : cases) {
        CalendarDate date = MakeDate({2025, 6, 17}, style);
        EXPECT_EQ(date.Parse(text), whole) << text;
        EXPECT_EQ(DateOf(date), expected) << style << " " << text;
    }
}

TEST(CalendarDate, MonthNamesWinOverTheDateStyle) {
    const std::tuple<const wchar_t*, Ymd, bool> cases[] = {
            {L"january 5, 2008", {2008, 1, 5}, true},   {L"  DEC 31 1999", {1999, 12, 31}, true},
            {L"(May 5th of 2008)", {2008, 5, 5}, true}, {L"February 30, 2009", {2009, 2, 28}, true},
            {L"May 2008", {0, 5, 31}, false},           {L"5 January 2008", {0, 1, 31}, false},
    };
    for (int style = 1; style <= 7; ++style) {
        for (const auto& [text, expected, whole] : cases) {
            CalendarDate date = MakeDate({2025, 6, 17}, style);
            EXPECT_EQ(date.Parse(text), whole) << text;
            EXPECT_EQ(DateOf(date), expected) << style << " " << text;
        }
    }
}

TEST(CalendarDate, ParseReadsATimeAfterTheDate) {
    const std::tuple<int, std::wstring, std::uint32_t, std::uint32_t, std::uint32_t> cases[] = {
            {3, L"1/5/2008 13:07:09", 13, 7, 9},
            {3, L"1/5/2008 1:07 PM", 1, 7, 0},
            {3, L"1/5/2008", 0, 0, 0},
            {3, L"January 5, 2008 25:61:125", 1, 1, 5},
            {3, std::wstring(L"1/5/2008 10\0 11", 15), 10, 0, 0},
    };
    for (const auto& [style, text, hour, minute, second] : cases) {
        CalendarDate date = MakeDate({2025, 6, 17}, style);
        date.Parse(text);
        EXPECT_EQ(std::make_tuple(date.Hour(), date.Minute(), date.Second()), std::make_tuple(hour, minute, second))
                << text;
    }
}

TEST(CalendarDate, SettersClampToTheCalendar) {
    CalendarDate date = MakeDate({2008, 2, 29});
    date.SetYear(2009);
    EXPECT_EQ(DateOf(date), (Ymd{2009, 2, 28}));
    date.SetDate(2, 29, 2008);  // the leap day survives a date that held a common year
    EXPECT_EQ(DateOf(date), (Ymd{2008, 2, 29}));
    date.SetMonth(0);
    EXPECT_EQ(DateOf(date), (Ymd{2008, 1, 29}));
    date.SetDay(0);
    EXPECT_EQ(DateOf(date), (Ymd{2008, 1, 1}));
    date.SetDay(40);
    date.SetMonth(13);
    EXPECT_EQ(DateOf(date), (Ymd{2008, 12, 31}));
    date.SetMonth(4);
    EXPECT_EQ(DateOf(date), (Ymd{2008, 4, 30}));
    date.SetTime(25, 61, 4294967295u);
    EXPECT_EQ(std::make_tuple(date.Hour(), date.Minute(), date.Second()), std::make_tuple(1u, 1u, 15u));

    const std::pair<std::uint32_t, bool> years[] = {{2008, true}, {2009, false}, {1900, false},
                                                    {2000, true}, {2100, false}, {0, true}};
    for (const auto& [year, leap] : years) {
        date.SetYear(year);
        EXPECT_EQ(date.IsLeapYear(), leap) << year;
    }
}

TEST(CalendarDate, AddDaysCrossesMonthsYearsAndLeapDaysAndStaysWithinFileTimes) {
    const std::tuple<Ymd, int, Ymd> cases[] = {
            {{2008, 1, 31}, 1, {2008, 2, 1}},        {{2008, 2, 28}, 1, {2008, 2, 29}},
            {{2009, 2, 28}, 1, {2009, 3, 1}},        {{2007, 12, 31}, 1, {2008, 1, 1}},
            {{2008, 3, 1}, -1, {2008, 2, 29}},       {{2008, 1, 1}, 366, {2009, 1, 1}},
            {{1900, 2, 28}, 1, {1900, 3, 1}},        {{2000, 2, 28}, 1, {2000, 2, 29}},
            {{2008, 1, 5}, -146097, {1608, 1, 5}},   {{1601, 1, 2}, -1, {1601, 1, 1}},
            {{1601, 1, 1}, -1, {1601, 1, 1}},        {{1600, 12, 31}, 1, {1600, 12, 31}},
            {{30827, 12, 31}, 1, {30828, 1, 1}},     {{30827, 12, 31}, 258, {30828, 9, 14}},
            {{30827, 12, 31}, 259, {30827, 12, 31}}, {{30828, 1, 1}, -1, {30828, 1, 1}},
            {{2008, 1, 5}, INT_MAX, {2008, 1, 5}},   {{2008, 1, 5}, INT_MIN, {2008, 1, 5}},
    };
    for (const auto& [start, days, expected] : cases) {
        CalendarDate date = MakeDate(start);
        date.SetTime(2, 48, 5);
        date.AddDays(days);
        EXPECT_EQ(DateOf(date), expected) << std::get<0>(start) << " " << days;
        EXPECT_EQ(std::make_tuple(date.Hour(), date.Minute(), date.Second()), std::make_tuple(2u, 48u, 5u));
    }

    CalendarDate last = MakeDate({30827, 12, 31});
    last.SetTime(2, 48, 6);  // one second beyond the last file time on the day reached
    last.AddDays(258);
    EXPECT_EQ(DateOf(last), (Ymd{30827, 12, 31}));
}

TEST(CalendarDate, AddMonthsMovesCalendarWiseAndKeepsTheDayInTheMonth) {
    const std::tuple<Ymd, int, Ymd> cases[] = {
            {{2008, 1, 31}, 1, {2008, 2, 29}},    {{2008, 2, 15}, 11, {2009, 1, 15}},
            {{2008, 12, 15}, 1, {2009, 1, 15}},   {{2008, 1, 15}, 25, {2010, 2, 15}},
            {{2009, 1, 31}, 1, {2009, 2, 28}},    {{2008, 3, 31}, -1, {2008, 2, 29}},
            {{2008, 1, 15}, -1, {2007, 12, 15}},  {{2008, 1, 15}, -13, {2006, 12, 15}},
            {{2008, 5, 15}, 0, {2008, 5, 15}},    {{0, 1, 1}, -1, {4294967295u, 12, 1}},
            {{4294967295u, 12, 1}, 1, {0, 1, 1}}, {{2008, 1, 1}, INT_MIN, {2008u - 178956971u, 5, 1}},
    };
    for (const auto& [start, months, expected] : cases) {
        CalendarDate date = MakeDate(start);
        date.AddMonths(months);
        EXPECT_EQ(DateOf(date), expected) << std::get<0>(start) << " " << months;
    }
}

TEST(CalendarDate, CompareReturnsMinusOneWhenTheFirstIsLater) {
    const std::tuple<Ymd, Ymd, int> dates[] = {
            {{2008, 1, 5}, {2008, 1, 5}, 0},
            {{2009, 1, 1}, {2008, 12, 31}, -1},
            {{2008, 2, 1}, {2008, 1, 31}, -1},
            {{2008, 1, 4}, {2008, 1, 5}, 1},
    };
    for (const auto& [a, b, expected] : dates)
        EXPECT_EQ(CalendarDate::CompareDate(MakeDate(a), MakeDate(b)), expected) << std::get<0>(a);

    const std::tuple<Ymd, Ymd, int> times[] = {
            {{13, 7, 9}, {13, 7, 9}, 0},
            {{14, 0, 0}, {13, 59, 59}, -1},
            {{13, 8, 0}, {13, 7, 59}, -1},
            {{13, 7, 8}, {13, 7, 9}, 1},
    };
    for (const auto& [a, b, expected] : times) {
        CalendarDate first = MakeDate({2008, 1, 5});
        CalendarDate second = MakeDate({2001, 1, 5});  // the date plays no part
        first.SetTime(std::get<0>(a), std::get<1>(a), std::get<2>(a));
        second.SetTime(std::get<0>(b), std::get<1>(b), std::get<2>(b));
        EXPECT_EQ(CalendarDate::CompareTime(first, second), expected) << std::get<0>(a);
    }
}

// Only a text that is exactly a date of the old style changes; the remembered last date follows
// the same rule, so Add never pre-fills a text that now means another day.
TEST(RestyleDates, RewritesExactDatesOfTheOldStyleAndKeepsEveryOtherText) {
    const std::tuple<int, int, const wchar_t*, const wchar_t*> cases[] = {
            {6, 3, L"5/1/2008", L"01/05/2008"},
            {6, 3, L" 05/01/2008 ", L"01/05/2008"},
            {6, 3, L"29/02/2008", L"02/29/2008"},
            {1, 6, L"12/31/07", L"31/12/2007"},
            {3, 7, L"12/31/07", L"0007-12-31"},
            {3, 6, L"03/05/2008", L"05/03/2008"},
            {6, 1, L"05/01/2008 13:07", L"05/01/2008 13:07"},
            {5, 4, L"January 5, 2008", L"January 5, 2008"},
            {3, 6, L"12/1975 - 1/1976", L"12/1975 - 1/1976"},
            {3, 6, L"1975-06-05", L"1975-06-05"},
            {3, 6, L"Lot 12, 3/5/1975", L"Lot 12, 3/5/1975"},
            {3, 6, L"3/5/1975-3/8/1975", L"3/5/1975-3/8/1975"},
            {3, 6, L"ca. 3/5/1975", L"ca. 3/5/1975"},
            {3, 6, L"3/5/01975", L"3/5/01975"},
            {3, 6, L"", L""},
            {1, 3, L"unknown", L"unknown"},
            {3, 6, L"Summer 1998", L"Summer 1998"},
            {5, 6, L"1998", L"1998"},
            {3, 6, L"May 2008", L"May 2008"},
    };
    for (const auto& [oldStyle, newStyle, text, expected] : cases) {
        ScriptedHost host;
        Settings settings;
        settings.lastDate = text;
        Catalog catalog(host, settings);
        Specimen specimen;
        specimen.dateCollected = text;
        catalog.AddSpecimen(specimen);
        RestyleDates(catalog, oldStyle, newStyle, kClock);
        EXPECT_EQ(catalog.Specimens()[0].dateCollected, expected) << oldStyle << " " << text;
        EXPECT_EQ(settings.lastDate, expected) << oldStyle << " " << text;
    }
}

// A two-digit year reads as 20YY: a date of another century keeps its four digits, so going to
// MM/DD/YY and back never turns 1975 into 2075.
TEST(RestyleDates, KeepsADateTheNewStyleWouldReadBackAsAnother) {
    const std::tuple<std::vector<int>, const wchar_t*, const wchar_t*> cases[] = {
            {{3, 1}, L"03/05/1975", L"03/05/1975"},    {{3, 1, 3}, L"03/05/1975", L"03/05/1975"},
            {{6, 5}, L"05/01/1899", L"05/01/1899"},    {{3, 1}, L"01/05/2108", L"01/05/2108"},
            {{3, 5}, L"12/31/12345", L"12/31/12345"},  {{3, 1}, L"03/05/2008", L"03/05/08"},
            {{3, 1, 3}, L"03/05/2008", L"03/05/2008"}, {{6, 1, 6}, L"17/06/2099", L"17/06/2099"},
            {{1, 3}, L"03/05/75", L"03/05/2075"},      {{3, 6, 3}, L"03/05/1975", L"03/05/1975"},
    };
    for (const auto& [styles, text, expected] : cases) {
        ScriptedHost host;
        Settings settings;
        Catalog catalog(host, settings);
        Specimen specimen;
        specimen.dateCollected = text;
        catalog.AddSpecimen(specimen);
        for (size_t i = 1; i < styles.size(); ++i)
            RestyleDates(catalog, styles[i - 1], styles[i], kClock);
        EXPECT_EQ(catalog.Specimens()[0].dateCollected, expected) << styles.back() << " " << text;
    }
}

}  // namespace
