#include "mail/new_mail_announcer.h"

#include "platform/notifier.h"
#include "state/app_state.h"

namespace chronolien {

namespace {

// What tells a message from the others across checks. Its number shifts when an earlier message
// is deleted, and its size may come only after its headers (from LIST), so neither is part of it.
QString identity(const MailEntry& entry)
{
    return QString::number(entry.account) + u'\n' + entry.senderAddress + u'\n' + entry.subject + u'\n'
        + entry.date.toString(Qt::ISODate);
}

QString summaryText(int count)
{
    return count == 1 ? QStringLiteral("1 nouveau message")
                      : QStringLiteral("%1 nouveaux messages").arg(count);
}

QString bodyText(const MailEntry& first)
{
    const QString sender = first.senderName.isEmpty() ? first.senderAddress : first.senderName;
    const QString subject = first.subject.isEmpty() ? QStringLiteral("(sans objet)") : first.subject;
    return QStringLiteral("De : ") + sender + QStringLiteral(" — ") + subject;
}

} // namespace

NewMailAnnouncer::NewMailAnnouncer(const AppState& state, MailListEvents& next, Notifier& notifier,
    Balloon balloon, int quietMilliseconds, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_next(next)
    , m_notifier(notifier)
    , m_balloon(std::move(balloon))
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietMilliseconds);
    connect(&m_quiet, &QTimer::timeout, this, &NewMailAnnouncer::announce);
}

void NewMailAnnouncer::refreshMailState()
{
    m_next.refreshMailState();
    m_quiet.start();
}

void NewMailAnnouncer::fillMailList()
{
    m_next.fillMailList();
}

void NewMailAnnouncer::announce()
{
    // Messages found while mail checking is off are announced once it is on again.
    if (!m_state.settings.courrier)
        return;
    const MailList& list = m_state.mailList;
    QHash<QString, int> listed;
    const MailEntry* first = nullptr;
    int count = 0;
    for (int n = 1; n <= list.count; ++n) {
        const MailEntry& entry = list.entry(n);
        const QString key = identity(entry);
        const int copies = ++listed[key];
        if (copies <= m_announced.value(key))
            continue;
        m_announced.insert(key, copies);
        if (!first)
            first = &entry;
        ++count;
    }
    if (count == 0)
        return;
    const QString summary = summaryText(count);
    const QString body = bodyText(*first);
    if (!m_notifier.notify(summary, body) && m_balloon)
        m_balloon(summary, body);
}

} // namespace chronolien
