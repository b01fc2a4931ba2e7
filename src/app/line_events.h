#pragma once

#include "connection/connection_actions.h"
#include "connection/throughput.h"
#include "core/connection_events.h"

namespace chronolien {

// The tick's view of the line's events: the connection actions and the throughput lights.
class LineEvents final : public ConnectionEvents {
public:
    LineEvents(ConnectionActions& actions, Throughput& throughput)
        : m_actions(actions)
        , m_throughput(throughput)
    {
    }
    void OnConnect() override { m_actions.OnConnect(); }
    void OnDisconnect() override { m_actions.OnDisconnect(); }
    void UpdateThroughput() override { m_throughput.UpdateThroughput(); }

private:
    ConnectionActions& m_actions;
    Throughput& m_throughput;
};

} // namespace chronolien
