#include "mail/debug_log.h"

#include "settings/win1252.h"

#include <QFile>

namespace chronolien {

DebugLog::DebugLog(QString path)
    : m_path(std::move(path))
{
}

void DebugLog::WriteDebugLine(const QString& text)
{
    QFile file(m_path);
    if (!file.open(
            QIODevice::WriteOnly | QIODevice::Append, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return; // the trace is a help, never a reason to stop a check
    file.write(toWin1252(text) + "\r\n");
}

} // namespace chronolien
