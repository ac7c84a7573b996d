#include "catalog/CalendarDate.h"

#include "base/MarkupValues.h"
#include "base/NumberFormat.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "resources/resource.h"

namespace {

constexpr std::uint32_t kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The years a Windows system time converts to a file time, and the last second a file time
// (100-nanosecond units since 1 January 1601, below 2^63) can hold.
constexpr std::uint32_t kFirstFileTimeYear = 1601;
constexpr std::uint32_t kLastFileTimeYear = 30827;
constexpr long long kLastFileTimeSecond = 922337203685;
constexpr long long kSecondsPerDay = 86400;

bool IsLeap(std::uint32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::uint32_t MonthLength(std::uint32_t month, std::uint32_t year) {
    return month == 2 && IsLeap(year) ? 29 : kMonthLengths[month - 1];
}

// Days since 1 March of year 0 in the proleptic Gregorian calendar, counting from a March so
// that the leap day comes last.
long long DaysFromCivil(long long year, long long month, long long day) {
    if (month <= 2)
        --year;
    long long shiftedMonth = month > 2 ? month - 3 : month + 9;
    long long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    return year * 365 + year / 4 - year / 100 + year / 400 + dayOfYear;
}

struct CivilDate {
    long long year, month, day;
};

// The reverse of DaysFromCivil for days from 1 March of year 0 on.
CivilDate CivilFromDays(long long days) {
    long long era = days / 146097;
    long long dayOfEra = days % 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    long long day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    long long month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    long long year = era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
    return CivilDate{year, month, day};
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Letters of the scripts month names are written in: ASCII, Latin-1 and Latin Extended, Greek
// and Cyrillic.
bool IsLetter(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'))
        return true;
    if (c >= 0xC0 && c <= 0x24F)
        return c != 0xD7 && c != 0xF7;
    return c >= 0x370 && c <= 0x52F;
}

// Skips everything up to the next digit and reads the number there as ParseInteger does; false
// (and 0) when no digit is left.
bool ReadNumber(std::wstring_view text, size_t& position, std::uint32_t& value) {
    while (position < text.size() && !IsDigit(text[position]))
        ++position;
    size_t start = position;
    while (position < text.size() && IsDigit(text[position]))
        ++position;
    value = static_cast<std::uint32_t>(ParseInteger(text.substr(start, position - start)));
    return position > start;
}

bool StartsWithName(std::wstring_view text, const std::wstring& name) {
    return !name.empty() && text.size() >= name.size() && SameTextIgnoringCase(text.substr(0, name.size()), name);
}

std::wstring Padded(std::uint32_t value, size_t width) {
    std::wstring digits = FormatInteger(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), L'0');
    return digits;
}

std::wstring TwoDigits(std::uint32_t value) {
    return Padded(value, 2);
}

int CompareFields(std::uint32_t a, std::uint32_t b) {
    if (a > b)
        return -1;
    return a < b ? 1 : 0;
}

}  // namespace

void CalendarDate::SetToNow(const Clock& clock) {
    LocalTime now = clock.Now();
    SetDate(now.month, now.day, now.year);
    SetTime(now.hour, now.minute, now.second);
}

void CalendarDate::LoadNames() {
    for (unsigned i = 0; i < 12; ++i) {
        longMonthNames_[i] = LoadText(IDS_LONG_MONTH_FIRST + i);
        shortMonthNames_[i] = LoadText(IDS_SHORT_MONTH_FIRST + i);
    }
    amText_ = LoadText(IDS_AM);
    pmText_ = LoadText(IDS_PM);
    separator_ = LoadText(IDS_DATE_SEPARATOR);
}

void CalendarDate::SetMonth(std::uint32_t month) {
    month_ = month == 0 ? 1 : (month > 12 ? 12 : month);
    ClampDay();
}

void CalendarDate::SetDay(std::uint32_t day) {
    std::uint32_t length = DaysInMonth();
    day_ = day == 0 ? 1 : (day > length ? length : day);
}

void CalendarDate::SetYear(std::uint32_t year) {
    year_ = year;
    ClampDay();
}

void CalendarDate::SetDate(std::uint32_t month, std::uint32_t day, std::uint32_t year) {
    // The year goes in before the day, so that 29 February survives whatever year the date held.
    SetMonth(month);
    year_ = year;
    SetDay(day);
}

void CalendarDate::SetTime(std::uint32_t hour, std::uint32_t minute, std::uint32_t second) {
    hour_ = hour % 24;
    minute_ = minute % 60;
    second_ = second % 60;
}

void CalendarDate::AddDays(int days) {
    if (year_ < kFirstFileTimeYear || year_ > kLastFileTimeYear)
        return;
    const long long firstDay = DaysFromCivil(kFirstFileTimeYear, 1, 1);
    long long day = DaysFromCivil(year_, month_, day_) + days;
    long long second = (day - firstDay) * kSecondsPerDay + hour_ * 3600 + minute_ * 60 + second_;
    if (day < firstDay || second > kLastFileTimeSecond)
        return;
    CivilDate moved = CivilFromDays(day);
    year_ = static_cast<std::uint32_t>(moved.year);
    month_ = static_cast<std::uint32_t>(moved.month);
    day_ = static_cast<std::uint32_t>(moved.day);
}

void CalendarDate::AddMonths(int months) {
    // Floored division, so that going back a month from January lands in December.
    int years = months / 12;
    int rest = months % 12;
    if (rest < 0) {
        rest += 12;
        --years;
    }
    std::uint32_t zeroBasedMonth = month_ - 1 + static_cast<std::uint32_t>(rest);
    if (zeroBasedMonth > 11)
        ++years;
    year_ = static_cast<std::uint32_t>(static_cast<long long>(year_) + years);
    month_ = zeroBasedMonth % 12 + 1;
    ClampDay();
}

int CalendarDate::CompareDate(const CalendarDate& a, const CalendarDate& b) {
    if (int order = CompareFields(a.year_, b.year_))
        return order;
    if (int order = CompareFields(a.month_, b.month_))
        return order;
    return CompareFields(a.day_, b.day_);
}

int CalendarDate::CompareTime(const CalendarDate& a, const CalendarDate& b) {
    if (int order = CompareFields(a.hour_, b.hour_))
        return order;
    if (int order = CompareFields(a.minute_, b.minute_))
        return order;
    return CompareFields(a.second_, b.second_);
}

bool CalendarDate::IsLeapYear() const {
    return IsLeap(year_);
}

std::uint32_t CalendarDate::DaysInMonth() const {
    return MonthLength(month_, year_);
}

bool CalendarDate::Parse(std::wstring_view text) {
    text = text.substr(0, text.find(L'\0'));
    size_t position = 0;
    bool whole = false;
    if (std::uint32_t month = FindMonthName(text, position)) {
        std::uint32_t day = 0;
        std::uint32_t year = 0;
        bool readDay = ReadNumber(text, position, day);
        bool readYear = ReadNumber(text, position, year);
        SetDate(month, day, year);
        whole = readDay && readYear;
    } else {
        position = 0;
        whole = ParseNumericDate(text, position);
    }
    std::uint32_t hour = 0;
    std::uint32_t minute = 0;
    std::uint32_t second = 0;
    ReadNumber(text, position, hour);
    ReadNumber(text, position, minute);
    ReadNumber(text, position, second);
    SetTime(hour, minute, second);
    return whole;
}

// The month whose long or short name starts at the text's first letter, and the position after
// that name; 0 when the text has no letter or none of the names is there.
std::uint32_t CalendarDate::FindMonthName(std::wstring_view text, size_t& position) const {
    size_t letter = 0;
    while (letter < text.size() && !IsLetter(text[letter]))
        ++letter;
    std::wstring_view rest = text.substr(letter);
    for (std::uint32_t i = 0; i < 12; ++i) {
        for (const std::wstring* name : {&longMonthNames_[i], &shortMonthNames_[i]}) {
            if (StartsWithName(rest, *name)) {
                position = letter + name->size();
                return i + 1;
            }
        }
    }
    return 0;
}

// Three numbers in the order of the date style; two-digit years count from 2000 in the
// two-digit styles only.
bool CalendarDate::ParseNumericDate(std::wstring_view text, size_t& position) {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
    bool whole = ReadNumber(text, position, a);
    whole = ReadNumber(text, position, b) && whole;
    whole = ReadNumber(text, position, c) && whole;
    if ((dateStyle_ == 1 || dateStyle_ == 5) && c <= 99)
        c += 2000;
    switch (dateStyle_) {
        case 5:
        case 6:
            SetDate(b, a, c);
            break;
        case 7:
            SetDate(b, c, a);
            break;
        default:
            SetDate(a, b, c);
            break;
    }
    return whole;
}

std::wstring CalendarDate::Format() const {
    std::wstring text = FormatDatePart();
    if (timeStyle_ != kNoTime) {
        text += L' ';
        text += FormatTimePart();
    }
    return text;
}

std::wstring CalendarDate::FormatDatePart() const {
    const std::wstring& s = separator_;
    std::wstring dd = TwoDigits(day_);
    std::wstring mm = TwoDigits(month_);
    std::wstring yy = TwoDigits(year_ % 100);
    std::wstring yyyy = Padded(year_, 4);
    switch (dateStyle_) {
        case 1:
            return mm + s + dd + s + yy;
        case 2:
            return shortMonthNames_[month_ - 1] + dd + L", " + yyyy;
        case 3:
            return mm + s + dd + s + yyyy;
        case 4:
            return longMonthNames_[month_ - 1] + dd + L", " + yyyy;
        case 5:
            return dd + s + mm + s + yy;
        case 6:
            return dd + s + mm + s + yyyy;
        case 7:
            return yyyy + L"-" + mm + L"-" + dd;
        default:
            return std::wstring();
    }
}

std::wstring CalendarDate::FormatTimePart() const {
    std::uint32_t hour12 = hour_ % 12 == 0 ? 12 : hour_ % 12;
    const std::wstring& amPm = hour_ < 12 ? amText_ : pmText_;
    std::wstring h12 = TwoDigits(hour12);
    std::wstring h24 = TwoDigits(hour_);
    std::wstring mm = TwoDigits(minute_);
    std::wstring ss = TwoDigits(second_);
    switch (timeStyle_) {
        case 6:
            return h12 + L":" + mm + L" " + amPm;
        case 7:
            return h12 + L":" + mm + L":" + ss + L" " + amPm;
        case 8:
            return h12 + L":" + mm;
        case 9:
            return h12 + L":" + mm + L":" + ss;
        case 10:
            return h24 + L":" + mm;
        case 11:
            return h24 + L":" + mm + L":" + ss;
        default:
            return std::wstring();
    }
}

void CalendarDate::ClampDay() {
    std::uint32_t length = DaysInMonth();
    if (day_ > length)
        day_ = length;
}
