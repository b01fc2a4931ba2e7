#pragma once

#include "mail/check_dialogue.h"
#include "mail/check_sockets.h"

#include <QObject>
#include <array>
#include <chrono>

namespace chronolien {

class Pop3Connection;
class StreamSocketMaker;

// The five check sockets connect_pop(0) to connect_pop(4) and the check dialogue that drives
// them, over the sockets the maker gives. Socket i binds its own local port, 3816 + i, before it
// connects, until that port proves to be in use and a random one replaces it. A socket exists only
// while its account's dialogue runs; TLS servers are verified against the system's authorities
// and the certificates of the application folder's "certificats" folder.
class MailChecker final : public QObject, private CheckSockets {
    Q_OBJECT

public:
    static constexpr quint16 FirstLocalPort = 3816;

    // firstLocalPort 0 lets the system choose every local port (tests run side by side).
    MailChecker(AppState& state, SoundPlayer& sound, MessageBox& messages, MailListEvents& events,
        StreamSocketMaker& sockets, quint16 firstLocalPort = FirstLocalPort,
        std::chrono::milliseconds replyLimit = ServerReplyLimit, QObject* parent = nullptr);
    ~MailChecker() override;

    // Starts a check of the mailboxes in use; nothing unless mail checking is on and the line is up.
    void startMailCheck();
    // Closes the five sockets, at the end of the run.
    void closeAll();

    quint16 localPort(int i) const;
    // Check sockets that exist now.
    int openSockets() const;

private:
    void closeSocket(int i) override;
    void setLocalPort(int i, quint16 port) override;
    void connectSocket(int i, const Pop3Endpoint& endpoint) override;
    void send(int i, const QByteArray& bytes) override;
    bool isConnected(int i) const override;

    AppState& m_state;
    std::array<Pop3Connection*, 5> m_sockets {};
    CheckDialogue m_dialogue;
};

} // namespace chronolien
