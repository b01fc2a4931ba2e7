#pragma once

namespace chronolien {

class Line;

// Whether the line is up, and dialling and hanging up through the system.
class ConnectionMonitor {
public:
    explicit ConnectionMonitor(Line& line);

    // True when the line carries traffic.
    bool isConnected();
    // The line exists but does not carry traffic yet: a dialling under way.
    bool lineBeingSetUp();
    // Asks the system to bring the line up unattended.
    void dial();
    // Takes the line down, without waiting for it to drop.
    void hangUp();
    // Hangs up when the program sees the line up, dials otherwise.
    void toggleConnection(bool connectedFlag);

private:
    Line& m_line;
};

} // namespace chronolien
