#pragma once

namespace chronolien {

// What the tick runs when it sees the line change, and the throughput lights it refreshes while
// the line is up. The connection actions implement it; tests record it.
class ConnectionEvents {
public:
    virtual ~ConnectionEvents() = default;
    // The tick that first sees the line up, once per connection.
    virtual void OnConnect() = 0;
    // The tick that first sees the line down, once per connection.
    virtual void OnDisconnect() = 0;
    // Every tick on which the line is up, after the time was counted.
    virtual void UpdateThroughput() = 0;
};

} // namespace chronolien
