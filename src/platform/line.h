#pragma once

#include <QtGlobal>
#include <optional>

namespace chronolien {

// The metered line as the system shows it: pppd's dial-up line, or a NetworkManager connection.
// The tick asks for its state once a second, so reading it must be cheap and must never block.
class Line {
public:
    enum class State {
        Down, // no connection, or one that could not be read
        SettingUp, // dialled: the connection exists but carries no traffic yet
        Up, // the connection carries traffic
    };

    // The byte counters of the line's network interface since it was created.
    struct Traffic {
        quint64 receivedBytes = 0;
        quint64 sentBytes = 0;
    };

    virtual ~Line() = default;

    virtual State state() = 0;
    // Asks the system to bring the line up unattended; returns at once.
    virtual void dial() = 0;
    // Starts taking the line down; returns at once, without waiting for the line to drop.
    virtual void hangUp() = 0;
    // Nothing when the line has no interface now or its counters cannot be read.
    virtual std::optional<Traffic> traffic() = 0;
};

} // namespace chronolien
