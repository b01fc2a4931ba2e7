#pragma once

#include <QDate>

namespace chronolien {

// The local clock as the program reads it: seconds since local midnight (with fractions, single
// precision, as the tick and the throughput lights measure) and today's calendar date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual float secondsSinceMidnight() const = 0;
    virtual QDate today() const = 0;
};

} // namespace chronolien
