#pragma once

#include <QStringList>

namespace chronolien {

// The dial-up line as the system shows it. A connection's handle is its interface name.
class LineServices {
public:
    static constexpr int StateConnected = 0x2000;

    struct Enumeration {
        bool ok = false; // false: the active connections could not be listed
        QStringList connections; // active dial-up connections, first one first
    };

    virtual ~LineServices() = default;
    virtual Enumeration enumerateConnections() = 0;
    // StateConnected when the connection carries traffic, 0 for any other reading or failure.
    virtual int connectionState(const QString& handle) = 0;
    // Asks the system to dial its default connection unattended; returns at once.
    virtual void dial() = 0;
    // Starts the hang-up of one connection; returns at once.
    virtual void hangUp(const QString& handle) = 0;
};

} // namespace chronolien
