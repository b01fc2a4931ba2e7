#pragma once

#include "mail/deletion_dialogue.h"

#include <QAbstractSocket>
#include <QObject>

class QTcpSocket;

namespace chronolien {

// The deletion socket supr_pop and the deletion dialogue that drives it. The socket binds its own
// local port, 3821, before it connects, until that port proves to be in use and a random one
// replaces it.
class MailDeleter final : public QObject, public DeletionStarter, private DeletionSocket {
    Q_OBJECT

public:
    static constexpr quint16 LocalPort = 3821;

    // localPort 0 lets the system choose (tests run side by side).
    MailDeleter(
        AppState& state, MailCheckStarter& checks, quint16 localPort = LocalPort, QObject* parent = nullptr);
    ~MailDeleter() override;

    void StartDeletion(const DeletionTarget& target) override;

    quint16 localPort() const { return m_localPort; }
    const DeletionDialogue& dialogue() const { return m_dialogue; }

private:
    void closeSocket() override;
    void setLocalPort(quint16 port) override;
    void connectSocket(const QString& host, quint16 port) override;
    void send(const QByteArray& bytes) override;
    bool isConnected() const override;

    void onError(QAbstractSocket::SocketError error);
    // Errors reach the dialogue from the event loop: it may reconnect, which Qt does not allow
    // inside the socket's own error signal. An event of a connection closed since is dropped.
    void postError(int number, const QString& description);

    QTcpSocket* supr_pop;
    quint16 m_localPort;
    quint64 m_generation = 0;
    bool m_binding = false;
    DeletionDialogue m_dialogue;
};

} // namespace chronolien
