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
{
}

void CheckDialogue::StartMailCheck()
{
    if (!m_state.settings.courrier || !m_state.connectedFlag)
        return;
    if (m_state.debugSwitch)
        PlaySoundFile(m_state.settings.son_connect);
    m_state.mailList.count = 0;
    m_events.RefreshMailState();
    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        MailboxAccount& account = m_state.mailboxAccounts.account(n);
        account.retries = 0;
        account.AccountStep = 1;
        if (account.inUse)
            ConnectAccount(n);
        else
            Close(n - 1); // a dialogue of an account switched off since does not go on
    }
}

void CheckDialogue::ConnectAccount(int n)
{
    const int i = n - 1;
    MailboxAccount& account = m_state.mailboxAccounts.account(n);
    account.AccountStep = 1;
    Close(i);
    const Pop3Endpoint endpoint = ParsePop3Server(account.server);
    if (m_state.debugSwitch)
        m_log.WriteDebugLine(u'<' + QString::number(n) + QStringLiteral(">  Tentative de connection"));
    m_sockets.connectSocket(i, endpoint);
}

void CheckDialogue::Connected(int i)
{
    Trace(i, QStringLiteral(" connecté"));
}

void CheckDialogue::DataArrival(int i, const QByteArray& bytes)
{
    if (i < 0 || i >= MailboxAccounts::Count || !m_sockets.isConnected(i))
        return;
    ReplyAssembler& replies = m_replies.at(std::size_t(i));
    replies.append(bytes);
    while (m_sockets.isConnected(i)) {
        if (replies.overflowed()) {
            Fail(i);
            return;
        }
        const std::optional<ReplyAssembler::Reply> reply = replies.take();
        if (!reply)
            return;
        HandleReply(i, *reply);
    }
}

void CheckDialogue::HandleReply(int i, const ReplyAssembler::Reply& reply)
{
    Trace(i, QStringLiteral(" recu : ") + fromWin1252(reply.raw));
    MailboxAccount& account = accountOf(i);
    // The headers of a message are taken whatever their status; elsewhere only a positive reply
    // lets the dialogue go on.
    if (!reply.raw.startsWith('+') && account.AccountStep != 5) {
        Fail(i);
        return;
    }
    switch (account.AccountStep) {
    case 1:
        Trace(i, QStringLiteral(" envoi : USER ") + account.login);
        SendLine(QStringLiteral("USER ") + account.login, i);
        account.AccountStep = 2;
        break;
    case 2:
        Trace(i, QStringLiteral(" envoi : PASS ") + account.password);
        SendLine(QStringLiteral("PASS ") + account.password, i);
        account.AccountStep = 3;
        break;
    case 3:
        Trace(i, QStringLiteral(" envoi : STAT"));
        SendLine(QStringLiteral("STAT"), i);
        account.AccountStep = 4;
        break;
    case 4:
        ReadStat(i, reply.text);
        break;
    case 5:
        // One whole reply is one message read, even a refusal (a message gone meanwhile).
        ExtractHeaders(reply.text, i);
        ++account.currentMessage;
        NextTop(i);
        break;
    case 6:
        ApplyListSizes(reply.text, i + 1, m_state.mailList, m_events);
        SendQuit(i, true);
        break;
    case 0:
        Close(i);
        break;
    default:
        break;
    }
}

void CheckDialogue::ReadStat(int i, const QByteArray& reply)
{
    MailboxAccount& account = accountOf(i);
    if (account.state != MailboxAccount::StateOk) {
        account.state = MailboxAccount::StateOk;
        SaveAccounts();
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
        Trace(i, QStringLiteral(" ok mais pas de message"));
        SendQuit(i, false);
        return;
    }
    if (m_state.debugSwitch)
        PlaySoundFile(m_state.settings.son_mail);
    Trace(i, QString::number(count) + QStringLiteral(" messages dispo"));
    account.messageCount = qint16(qMin<qint64>(count, MaxMessages));
    account.currentMessage = 1;
    account.AccountStep = 5;
    NextTop(i);
}

void CheckDialogue::NextTop(int i)
{
    MailboxAccount& account = accountOf(i);
    if (account.currentMessage <= account.messageCount) {
        const QString top
            = QStringLiteral("top ") + QString::number(account.currentMessage) + QStringLiteral(" 10");
        Trace(i, QStringLiteral(" envoi : ") + top);
        m_replies.at(std::size_t(i)).expect(Kind::MultiLine);
        SendLine(top, i);
    } else if (!account.sizesInTop) {
        Trace(i, QStringLiteral(" envoi : LIST"));
        m_replies.at(std::size_t(i)).expect(Kind::MultiLine);
        SendLine(QStringLiteral("LIST"), i);
        account.AccountStep = 6;
    } else {
        SendQuit(i, true);
    }
}

void CheckDialogue::SendQuit(int i, bool traced)
{
    m_replies.at(std::size_t(i)).expect(Kind::SingleLine);
    SendLine(QStringLiteral("QUIT"), i);
    if (traced)
        Trace(i, QStringLiteral(" envoi : QUIT"));
    accountOf(i).AccountStep = 0;
}

void CheckDialogue::ExtractHeaders(const QByteArray& reply, int i)
{
    const bool debug = m_state.debugSwitch;
    if (debug)
        m_log.WriteDebugLine(Stars);
    if (reply.size() < 50)
        return;
    QStringList lines = CutReplyLines(reply, MaxReplyLines, true);
    if (lines.size() < 5)
        return;
    for (QString& line : lines) {
        line = line.toLower();
        if (debug)
            m_log.WriteDebugLine(line);
    }
    const HeaderFields f = ReadHeaderFields(lines);
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
                QStringLiteral("date : ") + MailDateShortText(f.date), QStringLiteral("sujet : ") + f.sujet,
                QStringLiteral("taille : ") + QString::number(f.taille), Hashes, Stars })
            m_log.WriteDebugLine(line);
    }
    MailList& list = m_state.mailList;
    if (list.count >= MailList::Capacity)
        return;
    const std::optional<MailEntry> entry = MakeMailEntry(f, i + 1, account.currentMessage);
    if (!entry)
        return;
    ++list.count;
    list.entry(list.count) = *entry;
    m_events.RefreshMailState();
}

void CheckDialogue::SocketError(int i, int number, const QString& description)
{
    if (i < 0 || i >= MailboxAccounts::Count)
        return;
    Trace(i, QString::number(number) + QStringLiteral("  ") + description);
    MailboxAccount& account = accountOf(i);
    switch (number) {
    case ErrorHostNotFound:
    case ErrorConnectionRefused:
        Close(i);
        if (account.retries >= 2) {
            account.state = MailboxAccount::StateError;
            SaveAccounts();
        } else {
            ++account.retries;
            ConnectAccount(i + 1);
        }
        break;
    case ErrorAddressInUse:
        Close(i);
        if (account.retries < 2) {
            // A port from 2000 to 4999 in place of the one in use.
            const double fraction = qBound(0.0, m_randomFraction(), 0.999999);
            m_sockets.setLocalPort(i, quint16(int(fraction * 3000) + 2000));
            ++account.retries;
            ConnectAccount(i + 1);
        }
        break;
    default:
        Close(i);
        break;
    }
}

void CheckDialogue::SecureChannelRefused(int i, const QString& reason)
{
    if (i < 0 || i >= MailboxAccounts::Count)
        return;
    Trace(i, QStringLiteral(" TLS refusé : ") + reason);
    Fail(i);
}

void CheckDialogue::SendLine(const QString& text, int i)
{
    m_sockets.send(i, toWin1252(text) + "\r\n");
}

void CheckDialogue::Fail(int i)
{
    Close(i);
    accountOf(i).state = MailboxAccount::StateError;
    SaveAccounts();
}

void CheckDialogue::Close(int i)
{
    m_sockets.closeSocket(i);
    m_replies.at(std::size_t(i)).clear();
}

void CheckDialogue::SaveAccounts()
{
    chronolien::SaveAccounts(
        m_state.mailboxAccounts, m_state.dataPath(QStringLiteral("courrier.ini")), m_messages);
}

void CheckDialogue::PlaySoundFile(const QString& path)
{
    chronolien::PlaySoundFile(m_state.settings.sons, m_sound, path);
}

void CheckDialogue::Trace(int i, const QString& text)
{
    if (m_state.debugSwitch)
        m_log.WriteDebugLine(u'<' + QString::number(i) + u'>' + u' ' + text);
}

MailboxAccount& CheckDialogue::accountOf(int i)
{
    return m_state.mailboxAccounts.account(i + 1);
}

} // namespace chronolien
