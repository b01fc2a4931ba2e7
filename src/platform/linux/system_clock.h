#pragma once

#include "platform/clock.h"

namespace chronolien {

class SystemClock final : public Clock {
public:
    float secondsSinceMidnight() const override;
    QDate today() const override;
};

} // namespace chronolien
