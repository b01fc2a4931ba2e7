#pragma once

#include "core/mail_check.h"
#include "mail/check_dialogue.h"
#include "mail/check_sockets.h"

#include <QAbstractSocket>
#include <QObject>
#include <array>

class QTcpSocket;

namespace chronolien {

// The five check sockets connect_pop(0) to connect_pop(4) and the check dialogue that drives
// them. Socket i binds its own local port, 3816 + i, before it connects, until that port proves to
// be in use and a random one replaces it.
class MailChecker final : public QObject, public MailCheckStarter, private CheckSockets {
    Q_OBJECT

public:
    static constexpr quint16 FirstLocalPort = 3816;

    // firstLocalPort 0 lets the system choose every local port (tests run side by side).
    MailChecker(AppState& state, SoundPlayer& sound, MessageBox& messages, MailListEvents& events,
                quint16 firstLocalPort = FirstLocalPort, QObject* parent = nullptr);
    ~MailChecker() override;

    void StartMailCheck() override;
    void ConnectAccount(int n);
    // Closes the five sockets, at the end of the run.
    void CloseAll();

    quint16 localPort(int i) const { return m_localPorts.at(std::size_t(i)); }

    // The number by which the dialogue knows a socket error.
    static int SocketErrorNumber(QAbstractSocket::SocketError error);

private:
    void closeSocket(int i) override;
    void setLocalPort(int i, quint16 port) override;
    void connectSocket(int i, const QString& host, quint16 port) override;
    void send(int i, const QByteArray& bytes) override;
    bool isConnected(int i) const override;

    void onError(int i, QAbstractSocket::SocketError error);
    // Error events run from the event loop: the dialogue may reconnect in them, which Qt does not
    // allow inside the socket's own error signal. An event of a connection closed since is dropped.
    void postError(int i, int number, const QString& description);

    std::array<QTcpSocket*, 5> m_sockets {};
    std::array<quint16, 5> m_localPorts {};
    std::array<quint64, 5> m_generation {};
    bool m_binding = false;
    CheckDialogue m_dialogue;
};

} // namespace chronolien
