#include "mail/debug_log.h"

#include "mail/logging.h"
#include "settings/data_file.h"
#include "settings/win1252.h"
#include "state/app_state.h"

namespace chronolien {

DebugLog::DebugLog(const AppState& state)
    : m_state(state)
{
}

void DebugLog::writeDebugLine(const QString& text)
{
    const QString path = m_state.dataPath(QStringLiteral("messages.txt"));
    const QByteArray line = toWin1252(text) + "\r\n";
    // The trace is a help, never a reason to stop a check; a file that stays unwritable is logged
    // once, not at every line.
    QFile file;
    QString error;
    bool written = openDataFile(file, path, DataFileMode::Append,
                       DataFileFlag::CreateMissing | DataFileFlag::OwnerOnly, &error)
        == DataFileStatus::Opened;
    if (written && !(file.write(line) == line.size() && file.flush())) {
        error = file.errorString();
        written = false;
    }
    if (!written && !m_writeFailing)
        qCWarning(lcMail).noquote() << "could not write" << path << ":" << error;
    m_writeFailing = !written;
}

} // namespace chronolien
