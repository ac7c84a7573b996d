#include "app/dialogs/DatePicker.h"

#include <commctrl.h>

#include "app/framework/CommonControls.h"
#include "app/framework/Dialogs.h"
#include "base/Clock.h"
#include "catalog/CalendarDate.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

struct SelectDateDialog {
    DatePickRequest& request;

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        HWND calendar = GetDlgItem(dialog, IDC_DATE_CALENDAR);
        SendMessageW(calendar, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&request.date));
        SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&request.date));
        ShowWindow(GetDlgItem(dialog, IDOK), request.offerErase ? SW_SHOW : SW_HIDE);
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDC_DATE_TODAY: {
                const LocalTime now = SystemClock().Now();
                Pick(dialog, static_cast<WORD>(now.year), static_cast<WORD>(now.month), static_cast<WORD>(now.day));
                break;
            }
            case IDOK:
                if (request.offerErase) {
                    request.erased = true;
                    EndDialog(dialog, IDOK);
                }
                break;
            default:
                break;
        }
    }

    INT_PTR OnNotify(HWND dialog, NMHDR& header) {
        // Only a day clicked picks; the arrows that change the month do not.
        if (header.idFrom == IDC_DATE_CALENDAR && header.code == MCN_SELECT) {
            const SYSTEMTIME& day = reinterpret_cast<NMSELCHANGE&>(header).stSelStart;
            Pick(dialog, day.wYear, day.wMonth, day.wDay);
        }
        return 0;
    }

    void Pick(HWND dialog, WORD year, WORD month, WORD day) {
        request.erased = false;
        request.date = SYSTEMTIME{};
        request.date.wYear = year;
        request.date.wMonth = month;
        request.date.wDay = day;
        EndDialog(dialog, IDOK);
    }
};

}  // namespace

DatePicked PickDate(DatePickRequest& request, CalendarDate& date) {
    InitialiseCommonControls();
    request.date = SYSTEMTIME{};
    request.date.wYear = static_cast<WORD>(date.Year());
    request.date.wMonth = static_cast<WORD>(date.Month());
    request.date.wDay = static_cast<WORD>(date.Day());
    request.offerErase = true;
    request.erased = false;
    SelectDateDialog state{request};
    if (!RunDialog(request.owner, IDD_SELECT_DATE, state))
        return DatePicked::Cancelled;
    if (request.erased)
        return DatePicked::Erased;
    date.SetDate(request.date.wMonth, request.date.wDay, request.date.wYear);
    return DatePicked::Day;
}

void PickDateForEdit(HWND dialog, int edit, int dateStyle) {
    CalendarDate date;
    date.SetToNow(SystemClock());
    date.LoadNames();
    date.SetDateStyle(dateStyle);
    date.SetTimeStyle(CalendarDate::kNoTime);
    date.Parse(ItemText(dialog, edit));
    DatePickRequest request;
    request.owner = dialog;
    switch (PickDate(request, date)) {
        case DatePicked::Day:
            SetDlgItemTextW(dialog, edit, date.Format().c_str());
            break;
        case DatePicked::Erased:
            SetDlgItemTextW(dialog, edit, L"");
            break;
        case DatePicked::Cancelled:
            break;
    }
}

}  // namespace TQLibrary
