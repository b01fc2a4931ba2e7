#pragma once

#include <QtGlobal>

namespace chronolien {

class Clock;
class Line;
class ProgramView;

// The two throughput lights of the floating window: led_down while more than 1024 bytes a second
// come in on the line, led_up while more than that go out.
class Throughput {
public:
    static constexpr double Threshold = 1024.0; // bytes per second, compared strictly

    Throughput(Line& line, Clock& clock, ProgramView& windows);

    // One measurement against the previous one; called once a second while connected.
    void updateThroughput();

private:
    Line& m_line;
    Clock& m_clock;
    ProgramView& m_windows;
    // Kept for the whole run and never reset: the first measurement of a later connection
    // compares the new interface's counters with the old one's, and lights nothing.
    float m_lastTime = 0;
    quint64 m_lastReceived = 0;
    quint64 m_lastSent = 0;
};

} // namespace chronolien
