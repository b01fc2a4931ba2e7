#include "connection/connection_monitor.h"

#include "platform/line.h"

namespace chronolien {

ConnectionMonitor::ConnectionMonitor(Line& line)
    : m_line(line)
{
}

bool ConnectionMonitor::isConnected()
{
    return m_line.state() == Line::State::Up;
}

bool ConnectionMonitor::lineBeingSetUp()
{
    return m_line.state() == Line::State::SettingUp;
}

void ConnectionMonitor::dial()
{
    m_line.dial();
}

void ConnectionMonitor::hangUp()
{
    m_line.hangUp();
}

void ConnectionMonitor::toggleConnection(bool connectedFlag)
{
    if (connectedFlag)
        hangUp();
    else
        dial();
}

} // namespace chronolien
