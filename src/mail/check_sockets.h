#pragma once

#include "mail/pop3_endpoint.h"

#include <QByteArray>
#include <QString>

namespace chronolien {

// The five check sockets as the check dialogue drives them; socket i serves account i + 1.
class CheckSockets {
public:
    virtual ~CheckSockets() = default;
    // Drops whatever the socket was doing; no event of the old connection arrives afterwards.
    virtual void closeSocket(int i) = 0;
    // The local port the socket binds before its next connection.
    virtual void setLocalPort(int i, quint16 port) = 0;
    // Over TLS the socket reports itself connected only once the server's certificate is verified.
    virtual void connectSocket(int i, const Pop3Endpoint& endpoint) = 0;
    virtual void send(int i, const QByteArray& bytes) = 0;
    virtual bool isConnected(int i) const = 0;
};

} // namespace chronolien
