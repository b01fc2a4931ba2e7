#pragma once

namespace chronolien {

class LineServices;

// Whether a dial-up connection is up, and dialling and hanging up through the system.
class ConnectionMonitor {
public:
    explicit ConnectionMonitor(LineServices& line);

    // True when the first active dial-up connection carries traffic. Only the first is looked at.
    bool IsConnected();
    // A dial-up connection exists but does not carry traffic yet: a dialling under way.
    bool LineBeingSetUp();
    // Asks the system to dial its default connection unattended.
    void Dial();
    // Hangs up every active dial-up connection, without waiting for the line to drop.
    void HangUp();
    // Hangs up when the program sees the line up, dials otherwise.
    void ToggleConnection(bool connectedFlag);

private:
    LineServices& m_line;
};

} // namespace chronolien
