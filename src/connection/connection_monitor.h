#pragma once

namespace chronolien {

class Line;

// Whether the line is up, and dialling and hanging up through the system.
class ConnectionMonitor {
public:
    explicit ConnectionMonitor(Line& line);

    // True when the line carries traffic.
    bool IsConnected();
    // The line exists but does not carry traffic yet: a dialling under way.
    bool LineBeingSetUp();
    // Asks the system to bring the line up unattended.
    void Dial();
    // Takes the line down, without waiting for it to drop.
    void HangUp();
    // Hangs up when the program sees the line up, dials otherwise.
    void ToggleConnection(bool connectedFlag);

private:
    Line& m_line;
};

} // namespace chronolien
