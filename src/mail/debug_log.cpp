#include "mail/debug_log.h"

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
    if (!file.open(
            QIODevice::WriteOnly | QIODevice::Append, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return; // the trace is a help, never a reason to stop a check
    file.write(toWin1252(text) + "\r\n");
}

} // namespace chronolien
