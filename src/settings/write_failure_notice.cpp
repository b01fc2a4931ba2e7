#include "settings/write_failure_notice.h"

#include "platform/message_box.h"
#include "settings/logging.h"

namespace chronolien {

WriteFailureNotice::WriteFailureNotice(MessageBox& messages)
    : m_messages(messages)
{
}

void WriteFailureNotice::failed(const QString& path, const QString& error)
{
    if (m_failing)
        return;
    m_failing = true;
    qCWarning(lcSettings).noquote() << "could not write" << path << ":" << error;
    m_messages.show(writeFailureText(path), StyleCritical);
}

QString writeFailureText(const QString& path)
{
    return QStringLiteral("Impossible d'écrire dans le fichier ") + path;
}

} // namespace chronolien
