#pragma once

#include "platform/clock.h"

namespace chronolien::test {

// A clock the test sets and moves. Passing midnight starts the seconds again at 0 and moves the date.
class FakeClock final : public Clock {
public:
    float secondsSinceMidnight() const override { return m_seconds; }
    QDate today() const override { return m_today; }

    void set(float seconds) { m_seconds = seconds; }
    void setToday(const QDate& date) { m_today = date; }
    void advance(float seconds)
    {
        m_seconds += seconds;
        while (m_seconds >= 86400.0f) {
            m_seconds -= 86400.0f;
            m_today = m_today.addDays(1);
        }
    }

private:
    float m_seconds = 36000.0f;
    QDate m_today { 2026, 12, 6 };
};

} // namespace chronolien::test
