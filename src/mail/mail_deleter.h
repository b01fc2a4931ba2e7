#pragma once

#include "mail/deletion_dialogue.h"

#include <QObject>
#include <chrono>

namespace chronolien {

class Pop3Connection;
class StreamSocketMaker;

// The deletion socket supr_pop and the deletion dialogue that drives it. The socket binds its own
// local port, 3821, before it connects, until that port proves to be in use and a random one
// replaces it. It exists only while a deletion runs, and trusts what the check trusts.
class MailDeleter final : public QObject, public DeletionStarter, private DeletionSocket {
    Q_OBJECT

public:
    static constexpr quint16 LocalPort = 3821;

    // localPort 0 lets the system choose (tests run side by side).
    MailDeleter(AppState& state, StreamSocketMaker& sockets, std::function<void()> startMailCheck,
        quint16 localPort = LocalPort, std::chrono::milliseconds replyLimit = ServerReplyLimit,
        QObject* parent = nullptr);
    ~MailDeleter() override;

    void startDeletion(const DeletionTarget& target) override;

    quint16 localPort() const;

private:
    void closeSocket() override;
    void setLocalPort(quint16 port) override;
    void connectSocket(const Pop3Endpoint& endpoint) override;
    void send(const QByteArray& bytes) override;
    bool isConnected() const override;

    AppState& m_state;
    Pop3Connection* m_socket; // supr_pop
    DeletionDialogue m_dialogue;
};

} // namespace chronolien
