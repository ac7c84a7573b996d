// The local time on POSIX systems, for the native build.
#include "base/Clock.h"

#include <ctime>

LocalTime SystemClock::Now() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr)
        return LocalTime{1970, 1, 1, 0, 0, 0};
    // A leap second (60) is shown as the last second of its minute, as Windows does.
    int second = local.tm_sec < 59 ? local.tm_sec : 59;
    return LocalTime{static_cast<unsigned>(local.tm_year + 1900), static_cast<unsigned>(local.tm_mon + 1),
                     static_cast<unsigned>(local.tm_mday),        static_cast<unsigned>(local.tm_hour),
                     static_cast<unsigned>(local.tm_min),         static_cast<unsigned>(second)};
}
