#include "config_dialog/mailto_link.h"

#include "platform/process_starter.h"

namespace chronolien {

QString mailtoLink(const QString& address, const QString& subject, const QString& body, const QString& copy,
    const QString& blindCopy)
{
    QString query;
    if (!subject.isEmpty())
        query += QStringLiteral("&Subject=\"") + subject + u'"';
    if (!body.isEmpty())
        query += QStringLiteral("&Body=\"") + body + u'"';
    if (!copy.isEmpty())
        query += QStringLiteral("&CC=") + copy;
    if (!blindCopy.isEmpty())
        query += QStringLiteral("&BCC=") + blindCopy;
    if (query.startsWith(u'&'))
        query[0] = u'?';
    return QStringLiteral("mailto:") + address + query;
}

void openMailto(ProcessStarter& processes, const QString& address, const QString& subject,
    const QString& body, const QString& copy, const QString& blindCopy)
{
    processes.openUrl(mailtoLink(address, subject, body, copy, blindCopy));
}

} // namespace chronolien
