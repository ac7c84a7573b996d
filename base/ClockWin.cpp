// The local time on Windows.
#include "base/Clock.h"

#include <windows.h>

LocalTime SystemClock::Now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}
