#include "mail/debug_log.h"

#include "mail/logging.h"
#include "settings/win1252.h"
#include "state/app_state.h"

#include <QFile>

namespace chronolien {

DebugLog::DebugLog(const AppState& state)
    : m_state(state)
{
}

void DebugLog::writeDebugLine(const QString& text)
{
    QFile file(m_state.dataPath(QStringLiteral("messages.txt")));
    const QByteArray line = toWin1252(text) + "\r\n";
    // The trace is a help, never a reason to stop a check; a file that stays unwritable is logged
    // once, not at every line.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append,
                             QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        && file.write(line) == line.size() && file.flush();
    if (!written && !m_writeFailing)
        qCWarning(lcMail).noquote() << "could not write" << file.fileName() << ":" << file.errorString();
    m_writeFailing = !written;
}

} // namespace chronolien
