#pragma once

#include "mail/debug_log.h"
#include "mail/pop3_endpoint.h"
#include "mail/reply_assembler.h"
#include "state/mail_list.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace chronolien {

struct AppState;

// The message to delete, copied from its list entry when the deletion starts: its account, its
// number on the server in the check that listed it, and the headers that tell it from the others.
struct DeletionTarget {
    qint16 account = 0;
    qint16 messageNumber = 0;
    MailEntry entry;
};

// Starts the deletion of one message on its server.
class DeletionStarter {
public:
    virtual ~DeletionStarter() = default;
    virtual void startDeletion(const DeletionTarget& target) = 0;
};

// The deletion socket supr_pop as the deletion dialogue drives it.
class DeletionSocket {
public:
    virtual ~DeletionSocket() = default;
    // Drops whatever the socket was doing; no event of the old connection arrives afterwards.
    virtual void closeSocket() = 0;
    // The local port the socket binds before its next connection.
    virtual void setLocalPort(quint16 port) = 0;
    // Over TLS the socket reports itself connected only once the server's certificate is verified.
    virtual void connectSocket(const Pop3Endpoint& endpoint) = 0;
    virtual void send(const QByteArray& bytes) = 0;
    virtual bool isConnected() const = 0;
};

// The POP3 dialogue that deletes one listed message: USER, PASS, "top n 0", "dele n", QUIT, then a
// check of every account so that the list shows the mailbox as it now is.
//
// A message number designates the listed message only as long as the mailbox has not changed since
// the check that found it. So before "dele n" the headers of message n are fetched and compared
// with the listed ones (sender, recipient, subject, date); when message n is gone or is another
// message, nothing is deleted: the dialogue ends with QUIT and the check shows the mailbox anew.
class DeletionDialogue final : public DeletionStarter {
public:
    static constexpr quint16 DefaultPort = Pop3Endpoint::PlainPort;
    // Address-in-use errors met in a row before the deletion is given up.
    static constexpr int MaxPortRetries = 5;

    // startMailCheck runs once the server has answered QUIT.
    DeletionDialogue(AppState& state, DeletionSocket& socket, std::function<void()> startMailCheck,
        std::function<double()> randomFraction);

    // Opens the dialogue for the target; a deletion under way is dropped for it.
    void startDeletion(const DeletionTarget& target) override;

    // Events of supr_pop.
    void dataArrival(const QByteArray& bytes);
    void socketError(int number, const QString& description);
    // The server gave no verified TLS channel: the deletion is given up before USER.
    void secureChannelRefused(const QString& reason);
    // The server has sent nothing for the reply limit: the deletion is given up, and when the
    // server had been asked to QUIT (its answer all that was missing) the check still follows.
    void serverSilent();

private:
    // What the dialogue awaits from the server.
    enum class Step {
        AwaitingQuit,
        AwaitingGreeting,
        AwaitingUser,
        AwaitingPass,
        AwaitingDele,
        AwaitingTop, // the headers that confirm the number still designates the listed message
    };

    void startDeletion();
    void handleReply(const ReplyAssembler::Reply& reply);
    bool isListedMessage(const QByteArray& topReply) const;
    void sendLine(const QString& text);
    void sendQuit();
    void close();
    void trace(const QString& text);

    AppState& m_state;
    DeletionSocket& m_socket;
    std::function<void()> m_startMailCheck;
    std::function<double()> m_randomFraction;
    DebugLog m_log;
    ReplyAssembler m_replies;
    DeletionTarget m_target;
    Step m_step = Step::AwaitingQuit;
    int m_portRetries = 0;
};

} // namespace chronolien
