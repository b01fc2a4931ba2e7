#include "platform/linux/system_clock.h"

#include <ctime>

namespace chronolien {

// The C library's local time, read without Qt's: Qt looks the time zone up again at every reading,
// a file's status each time, and the tick reads the clock three times a second. The zone is looked
// up again once a minute, so a changed time zone is followed within the minute.
std::tm SystemClock::localTime(timespec& now) const
{
    timespec steady {};
    clock_gettime(CLOCK_MONOTONIC, &steady);
    if (m_zoneLookedUpAt < 0 || steady.tv_sec - m_zoneLookedUpAt >= 60) {
        tzset();
        m_zoneLookedUpAt = steady.tv_sec;
        m_convertedSecond = -1;
    }
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec != m_convertedSecond) {
        localtime_r(&now.tv_sec, &m_converted);
        m_convertedSecond = now.tv_sec;
    }
    return m_converted;
}

float SystemClock::secondsSinceMidnight() const
{
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
