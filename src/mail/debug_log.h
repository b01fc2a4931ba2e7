#pragma once

#include <QString>

namespace chronolien {

// messages.txt, the trace of the mail dialogues written while the debug switch is on: append only,
// Windows-1252, CR LF after each line. It holds passwords, so it is created readable by its owner
// only.
class DebugLog {
public:
    explicit DebugLog(QString path);
    void WriteDebugLine(const QString& text);

private:
    QString m_path;
};

} // namespace chronolien
