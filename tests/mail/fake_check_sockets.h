#pragma once

#include "mail/check_sockets.h"

#include <QStringList>
#include <array>

namespace chronolien::test {

// The five check sockets as a script: what the dialogue asked of them, in order, and the lines it
// sent on each. A socket is connected only when the test says so.
class FakeCheckSockets final : public CheckSockets {
public:
    void closeSocket(int i) override
    {
        calls.append(QStringLiteral("close %1").arg(i));
        connected.at(std::size_t(i)) = false;
    }
    void setLocalPort(int i, quint16 port) override
    {
        calls.append(QStringLiteral("port %1 %2").arg(i).arg(port));
    }
    void connectSocket(int i, const Pop3Endpoint& endpoint) override
    {
        calls.append(QStringLiteral("connect %1 %2%3:%4")
                         .arg(i)
                         .arg(endpoint.secure ? QStringLiteral("pop3s://") : QString())
                         .arg(endpoint.host)
                         .arg(endpoint.port));
    }
    void send(int i, const QByteArray& bytes) override { sent.at(std::size_t(i)) += bytes; }
    bool isConnected(int i) const override { return connected.at(std::size_t(i)); }

    // The lines sent on socket i since the last call, without their CR LF.
    QStringList takeLines(int i)
    {
        QByteArray& s = sent.at(std::size_t(i));
        QStringList lines = QString::fromUtf8(s).split(QStringLiteral("\r\n"));
        const bool whole = s.isEmpty() || s.endsWith("\r\n");
        s.clear();
        lines.removeLast(); // what follows the last CR LF: empty when every line was whole
        if (!whole)
            lines.append(QStringLiteral("<unterminated>"));
        return lines;
    }

    QStringList calls;
    std::array<bool, 5> connected {};
    std::array<QByteArray, 5> sent;
};

} // namespace chronolien::test
