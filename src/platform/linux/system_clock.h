#pragma once

#include "platform/clock.h"

#include <ctime>

namespace chronolien {

class SystemClock final : public Clock {
public:
    float secondsSinceMidnight() const override;
    QDate today() const override;

private:
    std::tm localTime(timespec& now) const;

    mutable long m_zoneLookedUpAt = -1; // seconds of the monotonic clock; never yet
    // The last second converted, and its local time: a tick reads the clock several times within
    // one second.
    mutable time_t m_convertedSecond = -1;
    mutable std::tm m_converted {};
};

} // namespace chronolien
