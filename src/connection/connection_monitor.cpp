#include "connection/connection_monitor.h"

#include "platform/line.h"

namespace chronolien {

ConnectionMonitor::ConnectionMonitor(Line& line)
    : m_line(line)
{
}

bool ConnectionMonitor::IsConnected()
{
    return m_line.state() == Line::State::Up;
}

bool ConnectionMonitor::LineBeingSetUp()
{
    return m_line.state() == Line::State::SettingUp;
}

void ConnectionMonitor::Dial()
{
    m_line.dial();
}

void ConnectionMonitor::HangUp()
{
    m_line.hangUp();
}

void ConnectionMonitor::ToggleConnection(bool connectedFlag)
{
    if (connectedFlag)
        HangUp();
    else
        Dial();
}

} // namespace chronolien
