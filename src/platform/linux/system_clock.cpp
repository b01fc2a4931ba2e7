#include "platform/linux/system_clock.h"

#include <ctime>

namespace chronolien {

namespace {

std::tm localTime(timespec& now)
{
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local {};
    localtime_r(&now.tv_sec, &local);
    return local;
}

} // namespace

// The C library's local time, read without Qt's: Qt looks the time zone up again at every reading,
// a file status on each, and the tick reads the clock three times a second. Here the time of day
// looks it up again, once a tick; the date, read twice a tick, uses the zone found then, so a
// changed time zone is followed from the next second.
float SystemClock::secondsSinceMidnight() const
{
    tzset();
    timespec now {};
    const std::tm local = localTime(now);
    const long milliseconds
        = (local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec) * 1000L + now.tv_nsec / 1000000L;
    return static_cast<float>(milliseconds) / 1000.0f;
}

QDate SystemClock::today() const
{
    timespec now {};
    const std::tm local = localTime(now);
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

} // namespace chronolien
