#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Clock.h"

// A local date and time of day that reads and writes the texts of the date styles and does the
// little calendar arithmetic the program needs. The month is always 1 to 12, the day within the
// month, the hour below 24 and the minute and second below 60.
//
// Date styles: 1 MM/DD/YY, 2 "Jan 05, 2008", 3 MM/DD/YYYY, 4 "January 05, 2008", 5 DD/MM/YY,
// 6 DD/MM/YYYY, 7 YYYY-MM-DD; "/" stands for the separator text. Time styles: 5 none, 6 "hh:mm AM",
// 7 "hh:mm:ss AM", 8 "hh:mm", 9 "hh:mm:ss" (12-hour), 10 "HH:mm", 11 "HH:mm:ss" (24-hour).
class CalendarDate {
public:
    static constexpr int kDefaultDateStyle = 3;
    static constexpr int kNoTime = 5;

    // Year, month, day and time of day from the clock.
    void SetToNow(const Clock& clock);
    // Month names, AM and PM texts and the separator from the string table. Until then the names
    // are empty and the separator is "-".
    void LoadNames();

    // 0 becomes 1 and above 12 becomes 12; the day is then kept within the month.
    void SetMonth(std::uint32_t month);
    // 0 becomes 1 and a day beyond the month's length becomes its last day.
    void SetDay(std::uint32_t day);
    // The day is then kept within the month (29 February in a year that is not a leap year).
    void SetYear(std::uint32_t year);
    // The day is kept within the given month of the given year.
    void SetDate(std::uint32_t month, std::uint32_t day, std::uint32_t year);
    // Hour modulo 24, minute and second modulo 60.
    void SetTime(std::uint32_t hour, std::uint32_t minute, std::uint32_t second);

    void SetDateStyle(int style) { dateStyle_ = style; }
    void SetTimeStyle(int style) { timeStyle_ = style; }

    // Moves by whole 24-hour periods. Nothing changes when the year lies outside 1601..30827 or the
    // result would lie before 1601 or beyond the last moment a Windows file time can hold.
    void AddDays(int days);
    // Moves calendar-wise; a day beyond the end of the new month becomes its last day. The year is
    // a 32-bit field and wraps like one.
    void AddMonths(int months);

    // -1 when a is later, 1 when a is earlier, 0 when equal: by year, month and day, resp. by hour,
    // minute and second.
    static int CompareDate(const CalendarDate& a, const CalendarDate& b);
    static int CompareTime(const CalendarDate& a, const CalendarDate& b);

    bool IsLeapYear() const;
    std::uint32_t DaysInMonth() const;

    // Reads a date written in the date style, or with a month name in any style, then up to three
    // numbers of a time of day. Missing numbers read as 0 and are clamped, so the date is always
    // set; the result says whether a whole date was there (a month name and two numbers, or three
    // numbers).
    bool Parse(std::wstring_view text);
    // The date in the date style, then a space and the time in the time style unless it is kNoTime.
    std::wstring Format() const;

    std::uint32_t Year() const { return year_; }
    std::uint32_t Month() const { return month_; }
    std::uint32_t Day() const { return day_; }
    std::uint32_t Hour() const { return hour_; }
    std::uint32_t Minute() const { return minute_; }
    std::uint32_t Second() const { return second_; }
    int DateStyle() const { return dateStyle_; }
    int TimeStyle() const { return timeStyle_; }

private:
    std::uint32_t FindMonthName(std::wstring_view text, size_t& position) const;
    bool ParseNumericDate(std::wstring_view text, size_t& position);
    std::wstring FormatDatePart() const;
    std::wstring FormatTimePart() const;
    void ClampDay();

    std::array<std::wstring, 12> longMonthNames_;
    std::array<std::wstring, 12> shortMonthNames_;
    std::wstring amText_;
    std::wstring pmText_;
    std::wstring separator_ = L"-";
    std::uint32_t year_ = 0;
    std::uint32_t month_ = 1;
    std::uint32_t day_ = 1;
    std::uint32_t hour_ = 0;
    std::uint32_t minute_ = 0;
    std::uint32_t second_ = 0;
    int dateStyle_ = kDefaultDateStyle;
    int timeStyle_ = kNoTime;
};
