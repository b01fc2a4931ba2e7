#pragma once

#include "platform/line_services.h"

#include <QMap>

namespace chronolien::test {

// A dial-up line the test scripts: the active connections, their states, and what was asked of it.
class FakeLine final : public LineServices {
public:
    Enumeration enumerateConnections() override
    {
        ++enumerations;
        return { enumerationOk, connections };
    }
    int connectionState(const QString& handle) override
    {
        statusQueries.append(handle);
        return states.value(handle, 0);
    }
    void dial() override { ++dials; }
    void hangUp(const QString& handle) override { hungUp.append(handle); }

    // One connection, up and carrying traffic, or none.
    void setUp(bool up, const QString& name = QStringLiteral("ppp0"))
    {
        connections = up ? QStringList { name } : QStringList {};
        states.clear();
        if (up)
            states.insert(name, StateConnected);
    }

    bool enumerationOk = true;
    QStringList connections;
    QMap<QString, int> states;
    int enumerations = 0;
    int dials = 0;
    QStringList statusQueries;
    QStringList hungUp;
};

} // namespace chronolien::test
