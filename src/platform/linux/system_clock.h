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
};

} // namespace chronolien
