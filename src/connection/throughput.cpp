#include "connection/throughput.h"

#include "platform/clock.h"
#include "state/program_view.h"

namespace chronolien {

Throughput::Throughput(Clock& clock, ProgramView& windows)
    : m_clock(clock)
    , m_windows(windows)
{
}

void Throughput::updateThroughput(const std::optional<Line::Traffic>& traffic)
{
    if (!traffic)
        return;
    if (m_lastTime == 0) {
        // The first measurement of the run only takes the time.
        m_lastTime = m_clock.secondsSinceMidnight();
        return;
    }
    const float elapsed = m_clock.secondsSinceMidnight() - m_lastTime;
    // With no time gone by there is no rate: the lights stay as they are.
    if (elapsed != 0) {
        // Differences in double: 64-bit counters keep counting past 4 GB, and a new connection's
        // counters start again below the old ones (a negative rate).
        const double received = (double(traffic->receivedBytes) - double(m_lastReceived)) / elapsed;
        const double sent = (double(traffic->sentBytes) - double(m_lastSent)) / elapsed;
        m_windows.setDownLight(received > Threshold);
        m_windows.setUpLight(sent > Threshold);
    }
    m_lastReceived = traffic->receivedBytes;
    m_lastSent = traffic->sentBytes;
    m_lastTime = m_clock.secondsSinceMidnight();
}

} // namespace chronolien
