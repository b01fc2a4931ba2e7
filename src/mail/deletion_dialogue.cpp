#include "mail/deletion_dialogue.h"

#include "mail/check_dialogue.h"
#include "mail/header_extraction.h"
#include "settings/win1252.h"
#include "state/app_state.h"

namespace chronolien {

namespace {

using Kind = ReplyAssembler::Kind;

// DeleteStep: what the dialogue awaits.
enum : qint16 {
    AwaitingQuit = 0,
    AwaitingGreeting = 1,
    AwaitingUser = 2,
    AwaitingPass = 3,
    AwaitingDele = 4,
    AwaitingTop = 5, // the headers that confirm the number still designates the listed message
};

bool sameMessage(const MailEntry& a, const MailEntry& b)
{
    return a.senderName == b.senderName && a.senderAddress == b.senderAddress && a.recipient == b.recipient
        && a.subject == b.subject && a.date == b.date;
}

} // namespace

DeletionDialogue::DeletionDialogue(AppState& state, DeletionSocket& socket,
    std::function<void()> startMailCheck, std::function<double()> randomFraction)
    : m_state(state)
    , m_socket(socket)
    , m_startMailCheck(std::move(startMailCheck))
    , m_randomFraction(std::move(randomFraction))
    , m_log(state)
{
}

void DeletionDialogue::StartDeletion(const DeletionTarget& target)
{
    m_target = target;
    m_portRetries = 0;
    StartDeletion();
}

void DeletionDialogue::StartDeletion()
{
    if (!m_state.connectedFlag || !m_state.settings.courrier)
        return;
    if (m_target.account < 1 || m_target.account > MailboxAccounts::Count)
        return;
    m_step = AwaitingGreeting;
    Close();
    const Pop3Endpoint endpoint = ParsePop3Server(m_state.mailboxAccounts.account(m_target.account).server);
    Trace(QStringLiteral(" Tentative de connection"));
    m_socket.connectSocket(endpoint);
}

void DeletionDialogue::DataArrival(const QByteArray& bytes)
{
    if (!m_socket.isConnected())
        return;
    m_replies.append(bytes);
    while (m_socket.isConnected()) {
        if (m_replies.overflowed()) {
            Close();
            return;
        }
        const std::optional<ReplyAssembler::Reply> reply = m_replies.take();
        if (!reply)
            return;
        HandleReply(*reply);
    }
}

void DeletionDialogue::HandleReply(const ReplyAssembler::Reply& reply)
{
    Trace(QStringLiteral(" recu : ") + fromWin1252(reply.raw));
    const MailboxAccount& account = m_state.mailboxAccounts.account(m_target.account);
    const QString number = QString::number(m_target.messageNumber);
    const bool positive = reply.raw.startsWith('+');
    // A refused TOP means message n is gone: the mailbox changed, as with other headers.
    if (!positive && m_step != AwaitingTop) {
        Close();
        return;
    }
    switch (m_step) {
    case AwaitingGreeting:
        Trace(QStringLiteral(" envoi : USER ") + account.login);
        SendLine(QStringLiteral("USER ") + account.login);
        m_step = AwaitingUser;
        break;
    case AwaitingUser:
        Trace(QStringLiteral(" envoi : PASS ") + account.password);
        SendLine(QStringLiteral("PASS ") + account.password);
        m_step = AwaitingPass;
        break;
    case AwaitingPass: {
        const QString top = QStringLiteral("top ") + number + QStringLiteral(" 0");
        Trace(QStringLiteral(" envoi : ") + top);
        m_replies.expect(Kind::MultiLine);
        SendLine(top);
        m_step = AwaitingTop;
        break;
    }
    case AwaitingTop:
        if (positive && IsListedMessage(reply.text)) {
            Trace(QStringLiteral(" envoi : dele ") + number);
            m_replies.expect(Kind::SingleLine);
            SendLine(QStringLiteral("dele ") + number);
            m_step = AwaitingDele;
        } else {
            Trace(QStringLiteral(" message ") + number
                + QStringLiteral(" changé sur le serveur : rien n'est supprimé"));
            SendQuit();
        }
        break;
    case AwaitingDele:
        SendQuit();
        break;
    case AwaitingQuit:
        Close();
        if (m_startMailCheck)
            m_startMailCheck();
        break;
    default:
        break;
    }
}

bool DeletionDialogue::IsListedMessage(const QByteArray& topReply) const
{
    // The same reading of the headers as the check's, so that an unchanged message compares equal.
    QStringList lines = CutReplyLines(topReply, MaxReplyLines, true);
    for (QString& line : lines)
        line = line.toLower();
    const std::optional<MailEntry> found
        = MakeMailEntry(ReadHeaderFields(lines), m_target.account, m_target.messageNumber);
    return found && sameMessage(*found, m_target.entry);
}

void DeletionDialogue::SocketError(int number, const QString& description)
{
    Trace(QString::number(number) + QStringLiteral("  ") + description);
    Close();
    if (number != ErrorAddressInUse)
        return; // the deletion is given up; the next check shows the list again
    // A systematic failure would otherwise retry for ever.
    if (++m_portRetries > MaxPortRetries)
        return;
    const double fraction = qBound(0.0, m_randomFraction(), 0.999999);
    m_socket.setLocalPort(quint16(int(fraction * 3000) + 2000));
    StartDeletion();
}

void DeletionDialogue::SecureChannelRefused(const QString& reason)
{
    Trace(QStringLiteral(" TLS refusé : ") + reason);
    Close(); // given up like a refused step: no new check, the account's state unchanged
}

void DeletionDialogue::SendLine(const QString& text)
{
    m_socket.send(toWin1252(text) + "\r\n");
}

void DeletionDialogue::SendQuit()
{
    m_replies.expect(Kind::SingleLine);
    SendLine(QStringLiteral("QUIT"));
    m_step = AwaitingQuit;
}

void DeletionDialogue::Close()
{
    m_socket.closeSocket();
    m_replies.clear();
}

void DeletionDialogue::Trace(const QString& text)
{
    if (m_state.debugSwitch)
        m_log.WriteDebugLine(QStringLiteral("<supr> ") + text);
}

} // namespace chronolien
