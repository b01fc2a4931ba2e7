#include "mail/check_dialogue.h"

#include "effects/event_effects.h"
#include "mail/accounts_file.h"
#include "mail/check_sockets.h"
#include "mail/header_extraction.h"
#include "mail/mail_date.h"
#include "mail/mail_list_events.h"
#include "platform/message_box.h"
#include "platform/sound_player.h"
#include "settings/text_forms.h"
#include "settings/win1252.h"
#include "state/app_state.h"

namespace chronolien {

namespace {

using Kind = ReplyAssembler::Kind;

const QString Stars = QStringLiteral("**********************************");
const QString Hashes = QStringLiteral("########");

} // namespace

CheckDialogue::CheckDialogue(AppState& state, SoundPlayer& sound, MessageBox& messages, CheckSockets& sockets,
    MailListEvents& events, std::function<double()> randomFraction)
    : m_state(state)
    , m_sound(sound)
    , m_messages(messages)
    , m_sockets(sockets)
    , m_events(events)
    , m_randomFraction(std::move(randomFraction))
    , m_log(state)
    , m_accountsNotice(messages)
{
}

void CheckDialogue::startMailCheck()
{
    if (!m_state.settings.courrier || !m_state.connectedFlag)
        return;
    if (m_state.debugSwitch)
        playSoundFile(m_state.settings.son_connect);
    m_state.mailList.count = 0;
    m_events.refreshMailState();
    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        MailboxAccount& account = m_state.mailboxAccounts.account(n);
        account.retries = 0;
        account.checkStep = CheckStep::AwaitingGreeting;
        if (account.inUse)
            connectAccount(n);
        else
            close(n - 1); // a dialogue of an account switched off since does not go on
    }
}

void CheckDialogue::connectAccount(int n)
{
    const int i = n - 1;
    MailboxAccount& account = m_state.mailboxAccounts.account(n);
    account.checkStep = CheckStep::AwaitingGreeting;
    close(i);
    const Pop3Endpoint endpoint = parsePop3Server(account.server);
    if (m_state.debugSwitch)
        m_log.writeDebugLine(u'<' + QString::number(n) + QStringLiteral(">  Tentative de connection"));
    m_sockets.connectSocket(i, endpoint);
}

void CheckDialogue::connected(int i)
{
    trace(i, QStringLiteral(" connecté"));
}

void CheckDialogue::dataArrival(int i, const QByteArray& bytes)
{
    if (i < 0 || i >= MailboxAccounts::Count || !m_sockets.isConnected(i))
        return;
    ReplyAssembler& replies = m_replies.at(std::size_t(i));
    replies.append(bytes);
    while (m_sockets.isConnected(i)) {
        if (replies.overflowed()) {
            fail(i);
            return;
        }
        const std::optional<ReplyAssembler::Reply> reply = replies.take();
        if (!reply)
            return;
        handleReply(i, *reply);
    }
}

void CheckDialogue::handleReply(int i, const ReplyAssembler::Reply& reply)
{
    trace(i, QStringLiteral(" recu : ") + fromWin1252(reply.raw));
    MailboxAccount& account = accountOf(i);
    // The headers of a message are taken whatever their status; elsewhere only a positive reply
    // lets the dialogue go on.
    if (!reply.raw.startsWith('+') && account.checkStep != CheckStep::AwaitingTop) {
        fail(i);
        return;
    }
    switch (account.checkStep) {
    case CheckStep::AwaitingGreeting:
        trace(i, QStringLiteral(" envoi : USER ") + account.login);
        sendLine(QStringLiteral("USER ") + account.login, i);
        account.checkStep = CheckStep::AwaitingUser;
        break;
    case CheckStep::AwaitingUser:
        trace(i, QStringLiteral(" envoi : PASS ") + account.password);
        sendLine(QStringLiteral("PASS ") + account.password, i);
        account.checkStep = CheckStep::AwaitingPass;
        break;
    case CheckStep::AwaitingPass:
        trace(i, QStringLiteral(" envoi : STAT"));
        sendLine(QStringLiteral("STAT"), i);
        account.checkStep = CheckStep::AwaitingStat;
        break;
    case CheckStep::AwaitingStat:
        readStat(i, reply.text);
        break;
    case CheckStep::AwaitingTop:
        // One whole reply is one message read, even a refusal (a message gone meanwhile).
        extractHeaders(reply.text, i);
        ++account.currentMessage;
        nextTop(i);
        break;
    case CheckStep::AwaitingList:
        applyListSizes(reply.text, i + 1, m_state.mailList, m_events);
        sendQuit(i, true);
        break;
    case CheckStep::AwaitingQuit:
        close(i);
        break;
    }
}

void CheckDialogue::readStat(int i, const QByteArray& reply)
{
    MailboxAccount& account = accountOf(i);
    if (account.state != MailboxAccount::StateOk) {
        account.state = MailboxAccount::StateOk;
        saveAccounts();
    }
    // "+OK 3 4512": the count runs from the fifth character to the next space, or to the end of
    // the line when no space follows it.
    qsizetype lineEnd = reply.indexOf("\r\n");
    if (lineEnd < 0)
        lineEnd = reply.size();
    const QByteArray line = reply.left(lineEnd);
    const qsizetype space = line.indexOf(' ', 4);
    const QByteArray countText = space >= 0 ? line.mid(4, space - 4) : line.mid(4);
    const qint64 count = roundHalfEven(leadingNumber(fromWin1252(countText)));
    if (count < 1) {
        trace(i, QStringLiteral(" ok mais pas de message"));
        sendQuit(i, false);
        return;
    }
    if (m_state.debugSwitch)
        playSoundFile(m_state.settings.son_mail);
    trace(i, QString::number(count) + QStringLiteral(" messages dispo"));
    account.messageCount = qint16(qMin<qint64>(count, MaxMessages));
    account.currentMessage = 1;
    account.checkStep = CheckStep::AwaitingTop;
    nextTop(i);
}

void CheckDialogue::nextTop(int i)
{
    MailboxAccount& account = accountOf(i);
    if (account.currentMessage <= account.messageCount) {
        const QString top
            = QStringLiteral("top ") + QString::number(account.currentMessage) + QStringLiteral(" 10");
        trace(i, QStringLiteral(" envoi : ") + top);
        m_replies.at(std::size_t(i)).expect(Kind::MultiLine);
        sendLine(top, i);
    } else if (!account.sizesInTop) {
        trace(i, QStringLiteral(" envoi : LIST"));
        m_replies.at(std::size_t(i)).expect(Kind::MultiLine);
        sendLine(QStringLiteral("LIST"), i);
        account.checkStep = CheckStep::AwaitingList;
    } else {
        sendQuit(i, true);
    }
}

void CheckDialogue::sendQuit(int i, bool traced)
{
    m_replies.at(std::size_t(i)).expect(Kind::SingleLine);
    sendLine(QStringLiteral("QUIT"), i);
    if (traced)
        trace(i, QStringLiteral(" envoi : QUIT"));
    accountOf(i).checkStep = CheckStep::AwaitingQuit;
}

void CheckDialogue::extractHeaders(const QByteArray& reply, int i)
{
    const bool debug = m_state.debugSwitch;
    if (debug)
        m_log.writeDebugLine(Stars);
    // However short the header block, a message with a sender is listed.
    QStringList lines = cutReplyLines(reply, MaxReplyLines, true);
    for (QString& line : lines) {
        line = line.toLower();
        if (debug)
            m_log.writeDebugLine(line);
    }
    const HeaderFields f = readHeaderFields(lines);
    MailboxAccount& account = accountOf(i);
    if (f.sizeInStatus)
        account.sizesInTop = true;
    if (debug) {
        for (const QString& date : f.unreadableDates)
            m_messages.show(date, StylePlain);
        for (const QString& line :
            { Hashes, QStringLiteral("ad1 : ") + f.ad1, QStringLiteral("ad2 : ") + f.ad2,
                QStringLiteral("ad3 : ") + f.ad3, QStringLiteral("ad4 : ") + f.ad4,
                QStringLiteral("ad5 : ") + f.ad5, QStringLiteral("nom1 : ") + f.nom1,
                QStringLiteral("nom2 : ") + f.nom2, QStringLiteral("nom3 : ") + f.nom3,
                QStringLiteral("date : ") + mailDateShortText(f.date), QStringLiteral("sujet : ") + f.sujet,
                QStringLiteral("taille : ") + QString::number(f.taille), Hashes, Stars })
            m_log.writeDebugLine(line);
    }
    MailList& list = m_state.mailList;
    if (list.count >= MailList::Capacity)
        return;
    const std::optional<MailEntry> entry = makeMailEntry(f, i + 1, account.currentMessage);
    if (!entry)
        return;
    ++list.count;
    list.entry(list.count) = *entry;
    m_events.refreshMailState();
}

void CheckDialogue::socketError(int i, int number, const QString& description)
{
    if (i < 0 || i >= MailboxAccounts::Count)
        return;
    trace(i, QString::number(number) + QStringLiteral("  ") + description);
    MailboxAccount& account = accountOf(i);
    switch (number) {
    case ErrorHostNotFound:
    case ErrorConnectionRefused:
        close(i);
        if (account.retries >= 2) {
            account.state = MailboxAccount::StateError;
            saveAccounts();
        } else {
            ++account.retries;
            connectAccount(i + 1);
        }
        break;
    case ErrorAddressInUse:
        close(i);
        if (account.retries < 2) {
            // A port from 2000 to 4999 in place of the one in use.
            const double fraction = qBound(0.0, m_randomFraction(), 0.999999);
            m_sockets.setLocalPort(i, quint16(int(fraction * 3000) + 2000));
            ++account.retries;
            connectAccount(i + 1);
        }
        break;
    default:
        close(i);
        break;
    }
}

void CheckDialogue::secureChannelRefused(int i, const QString& reason)
{
    if (i < 0 || i >= MailboxAccounts::Count)
        return;
    trace(i, QStringLiteral(" TLS refusé : ") + reason);
    fail(i);
}

void CheckDialogue::serverSilent(int i)
{
    if (i < 0 || i >= MailboxAccounts::Count)
        return;
    // After QUIT the dialogue is over: only the goodbye is missing.
    if (accountOf(i).checkStep == CheckStep::AwaitingQuit) {
        close(i);
        return;
    }
    trace(i, QStringLiteral(" le serveur ne répond plus : connexion abandonnée"));
    fail(i);
}

void CheckDialogue::sendLine(const QString& text, int i)
{
    // Servers keep user names and passwords in UTF-8.
    m_sockets.send(i, text.toUtf8() + "\r\n");
}

void CheckDialogue::fail(int i)
{
    close(i);
    accountOf(i).state = MailboxAccount::StateError;
    saveAccounts();
}

void CheckDialogue::close(int i)
{
    m_sockets.closeSocket(i);
    m_replies.at(std::size_t(i)).clear();
}

void CheckDialogue::saveAccounts()
{
    // The checks save every few minutes: a file that stays unwritable is told once.
    const QString path = m_state.dataPath(QStringLiteral("courrier.ini"));
    if (const std::optional<QString> error = writeAccounts(m_state.mailboxAccounts, path))
        m_accountsNotice.failed(path, *error);
    else
        m_accountsNotice.succeeded();
}

void CheckDialogue::playSoundFile(const QString& path)
{
    chronolien::playSoundFile(m_state.settings.sons, m_sound, m_state.appFolder, path);
}

void CheckDialogue::trace(int i, const QString& text)
{
    if (m_state.debugSwitch)
        m_log.writeDebugLine(u'<' + QString::number(i) + u'>' + u' ' + text);
}

MailboxAccount& CheckDialogue::accountOf(int i)
{
    return m_state.mailboxAccounts.account(i + 1);
}

} // namespace chronolien
