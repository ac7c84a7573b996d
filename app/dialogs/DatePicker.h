#pragma once

#include <windows.h>

class CalendarDate;

namespace TQLibrary {

// One use of the Select a Date dialog: the day shown, and the day picked.
struct DatePickRequest {
    HWND owner = nullptr;
    SYSTEMTIME date{};
    bool offerErase = true;
    bool erased = false;  // closed with Erase
};

enum class DatePicked { Day, Erased, Cancelled };

// Shows the date's day in a month calendar over the request's owner. A day clicked, or Today
// (the local date), becomes the date's day; the year is set first, so that 29 February picked
// while the date lies in a common year stays the 29th.
DatePicked PickDate(DatePickRequest& request, CalendarDate& date);

// The "..." button beside a date edit: the calendar opens on the edit's date (read in the date
// style), a day picked replaces the text in that style, Erase empties it, Cancel leaves it.
void PickDateForEdit(HWND dialog, int edit, int dateStyle);

}  // namespace TQLibrary
