#include "connection/connection_monitor.h"

#include "platform/line_services.h"

namespace chronolien {

ConnectionMonitor::ConnectionMonitor(LineServices& line)
    : m_line(line)
{
}

bool ConnectionMonitor::IsConnected()
{
    const LineServices::Enumeration active = m_line.enumerateConnections();
    if (!active.ok || active.connections.isEmpty())
        return false;
    return m_line.connectionState(active.connections.first()) == LineServices::StateConnected;
}

bool ConnectionMonitor::LineBeingSetUp()
{
    const LineServices::Enumeration active = m_line.enumerateConnections();
    return active.ok && !active.connections.isEmpty()
        && m_line.connectionState(active.connections.first()) != LineServices::StateConnected;
}

void ConnectionMonitor::Dial()
{
    m_line.dial();
}

void ConnectionMonitor::HangUp()
{
    const LineServices::Enumeration active = m_line.enumerateConnections();
    if (!active.ok)
        return;
    for (const QString& handle : active.connections)
        m_line.hangUp(handle);
}

void ConnectionMonitor::ToggleConnection(bool connectedFlag)
{
    if (connectedFlag)
        HangUp();
    else
        Dial();
}

} // namespace chronolien
