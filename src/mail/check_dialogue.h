#pragma once

#include "mail/debug_log.h"
#include "mail/pop3_endpoint.h"
#include "mail/reply_assembler.h"
#include "mail/socket_error_numbers.h"
#include "settings/write_failure_notice.h"

#include <QString>
#include <array>
#include <functional>

namespace chronolien {

struct AppState;
struct MailboxAccount;
class CheckSockets;
class MailListEvents;
class MessageBox;
class SoundPlayer;

// The POP3 check of the five accounts: one dialogue per account in use, advanced one whole reply
// at a time (USER, PASS, STAT, a TOP per message up to 30, LIST when the TOP replies gave no sizes,
// QUIT). It is fed the sockets' events and answers through CheckSockets, so that it runs the same
// on real sockets and on byte strings.
class CheckDialogue {
public:
    static constexpr int MaxMessages = 30;
    static constexpr quint16 DefaultPort = Pop3Endpoint::PlainPort;

    CheckDialogue(AppState& state, SoundPlayer& sound, MessageBox& messages, CheckSockets& sockets,
        MailListEvents& events, std::function<double()> randomFraction);

    void startMailCheck();
    // (Re)opens the check socket of account n (1 to 5).
    void connectAccount(int n);

    // Events of socket i (0 to 4).
    void connected(int i);
    void dataArrival(int i, const QByteArray& bytes);
    void socketError(int i, int number, const QString& description);
    // Socket i reached a server that gave no verified TLS channel: the dialogue ends before USER
    // and the account is in error.
    void secureChannelRefused(int i, const QString& reason);
    // Socket i's server has sent nothing for the reply limit: a dialogue under way ends as a
    // failed connection, the account in error.
    void serverSilent(int i);

private:
    void handleReply(int i, const ReplyAssembler::Reply& reply);
    void readStat(int i, const QByteArray& reply);
    void nextTop(int i);
    void extractHeaders(const QByteArray& reply, int i);
    void sendLine(const QString& text, int i);
    void sendQuit(int i, bool traced);
    void fail(int i);
    void close(int i);
    void saveAccounts();
    void playSoundFile(const QString& path);
    void trace(int i, const QString& text);
    MailboxAccount& accountOf(int i);

    AppState& m_state;
    SoundPlayer& m_sound;
    MessageBox& m_messages;
    CheckSockets& m_sockets;
    MailListEvents& m_events;
    std::function<double()> m_randomFraction;
    DebugLog m_log;
    WriteFailureNotice m_accountsNotice;
    std::array<ReplyAssembler, 5> m_replies;
};

} // namespace chronolien
