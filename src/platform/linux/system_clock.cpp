#include "platform/linux/system_clock.h"

#include <QDateTime>

namespace chronolien {

float SystemClock::secondsSinceMidnight() const
{
    const QTime now = QTime::currentTime();
    return static_cast<float>(now.msecsSinceStartOfDay()) / 1000.0f;
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

} // namespace chronolien
