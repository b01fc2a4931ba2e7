#include "mail/deletion_dialogue.h"

#include "mail/check_dialogue.h"
#include "mail/header_extraction.h"
#include "settings/win1252.h"
#include "state/app_state.h"

namespace chronolien {

namespace {

using Kind = ReplyAssembler::Kind;

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

void DeletionDialogue::startDeletion(const DeletionTarget& target)
{
    m_target = target;
    m_portRetries = 0;
    startDeletion();
}

void DeletionDialogue::startDeletion()
{
    if (!m_state.connectedFlag || !m_state.settings.courrier)
        return;
    if (m_target.account < 1 || m_target.account > MailboxAccounts::Count)
        return;
    m_step = Step::AwaitingGreeting;
    close();
    const Pop3Endpoint endpoint = parsePop3Server(m_state.mailboxAccounts.account(m_target.account).server);
    trace(QStringLiteral(" Tentative de connection"));
    m_socket.connectSocket(endpoint);
}

void DeletionDialogue::dataArrival(const QByteArray& bytes)
{
    if (!m_socket.isConnected())
        return;
    m_replies.append(bytes);
    while (m_socket.isConnected()) {
        if (m_replies.overflowed()) {
            close();
            return;
        }
        const std::optional<ReplyAssembler::Reply> reply = m_replies.take();
        if (!reply)
            return;
        handleReply(*reply);
    }
}

void DeletionDialogue::handleReply(const ReplyAssembler::Reply& reply)
{
    trace(QStringLiteral(" recu : ") + fromWin1252(reply.raw));
    const MailboxAccount& account = m_state.mailboxAccounts.account(m_target.account);
    const QString number = QString::number(m_target.messageNumber);
    const bool positive = reply.raw.startsWith('+');
    // A refused TOP means message n is gone: the mailbox changed, as with other headers.
    if (!positive && m_step != Step::AwaitingTop) {
        close();
        return;
    }
    switch (m_step) {
    case Step::AwaitingGreeting:
        trace(QStringLiteral(" envoi : USER ") + account.login);
        sendLine(QStringLiteral("USER ") + account.login);
        m_step = Step::AwaitingUser;
        break;
    case Step::AwaitingUser:
        trace(QStringLiteral(" envoi : PASS ") + account.password);
        sendLine(QStringLiteral("PASS ") + account.password);
        m_step = Step::AwaitingPass;
        break;
    case Step::AwaitingPass: {
        const QString top = QStringLiteral("top ") + number + QStringLiteral(" 0");
        trace(QStringLiteral(" envoi : ") + top);
        m_replies.expect(Kind::MultiLine);
        sendLine(top);
        m_step = Step::AwaitingTop;
        break;
    }
    case Step::AwaitingTop:
        if (positive && isListedMessage(reply.text)) {
            trace(QStringLiteral(" envoi : dele ") + number);
            m_replies.expect(Kind::SingleLine);
            sendLine(QStringLiteral("dele ") + number);
            m_step = Step::AwaitingDele;
        } else {
            trace(QStringLiteral(" message ") + number
                + QStringLiteral(" changé sur le serveur : rien n'est supprimé"));
            sendQuit();
        }
        break;
    case Step::AwaitingDele:
        sendQuit();
        break;
    case Step::AwaitingQuit:
        close();
        if (m_startMailCheck)
            m_startMailCheck();
        break;
    }
}

bool DeletionDialogue::isListedMessage(const QByteArray& topReply) const
{
    // The same reading of the headers as the check's, so that an unchanged message compares equal.
    QStringList lines = cutReplyLines(topReply, MaxReplyLines, true);
    for (QString& line : lines)
        line = line.toLower();
    const std::optional<MailEntry> found
        = makeMailEntry(readHeaderFields(lines), m_target.account, m_target.messageNumber);
    return found && sameMessage(*found, m_target.entry);
}

void DeletionDialogue::socketError(int number, const QString& description)
{
    trace(QString::number(number) + QStringLiteral("  ") + description);
    close();
    if (number != ErrorAddressInUse)
        return; // the deletion is given up; the next check shows the list again
    // A systematic failure would otherwise retry for ever.
    if (++m_portRetries > MaxPortRetries)
        return;
    const double fraction = qBound(0.0, m_randomFraction(), 0.999999);
    m_socket.setLocalPort(quint16(int(fraction * 3000) + 2000));
    startDeletion();
}

void DeletionDialogue::secureChannelRefused(const QString& reason)
{
    trace(QStringLiteral(" TLS refusé : ") + reason);
    close(); // given up like a refused step: no new check, the account's state unchanged
}

void DeletionDialogue::serverSilent()
{
    const bool quitSent = m_step == Step::AwaitingQuit;
    trace(QStringLiteral(" le serveur ne répond plus : suppression abandonnée"));
    close();
    if (quitSent && m_startMailCheck)
        m_startMailCheck();
}

void DeletionDialogue::sendLine(const QString& text)
{
    // Servers keep user names and passwords in UTF-8.
    m_socket.send(text.toUtf8() + "\r\n");
}

void DeletionDialogue::sendQuit()
{
    m_replies.expect(Kind::SingleLine);
    sendLine(QStringLiteral("QUIT"));
    m_step = Step::AwaitingQuit;
}

void DeletionDialogue::close()
{
    m_socket.closeSocket();
    m_replies.clear();
}

void DeletionDialogue::trace(const QString& text)
{
    if (m_state.debugSwitch)
        m_log.writeDebugLine(QStringLiteral("<supr> ") + text);
}

} // namespace chronolien
