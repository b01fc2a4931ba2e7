#pragma once

#include "platform/line.h"

#include <QtGlobal>
#include <optional>

namespace chronolien {

class Clock;
class ProgramView;

// The two throughput lights of the floating window: led_down while more than 1024 bytes a second
// come in on the line, led_up while more than that go out.
class Throughput {
public:
    static constexpr double Threshold = 1024.0; // bytes per second, compared strictly

    Throughput(Clock& clock, ProgramView& windows);

    // One measurement against the previous one; called once a second while connected with the
    // line's counters as that tick read them (nothing when they could not be read).
    void updateThroughput(const std::optional<Line::Traffic>& traffic);

private:
    Clock& m_clock;
    ProgramView& m_windows;
    // Kept for the whole run and never reset: the first measurement of a later connection
    // compares the new interface's counters with the old one's, and lights nothing.
    float m_lastTime = 0;
    quint64 m_lastReceived = 0;
    quint64 m_lastSent = 0;
};

} // namespace chronolien
