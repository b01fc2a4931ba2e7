#pragma once

#include <QString>

namespace chronolien {

struct AppState;

// messages.txt, the trace of the mail dialogues written while the debug switch is on: append only,
// Windows-1252, CR LF after each line. It holds passwords, so it is made readable by its owner only
// at every write.
class DebugLog {
public:
    explicit DebugLog(const AppState& state);
    void writeDebugLine(const QString& text);

private:
    // The application folder is known only once the program has started: the path is taken at
    // each write, never when the log is built.
    const AppState& m_state;
    bool m_writeFailing = false; // the last line could not be written, which was logged
};

} // namespace chronolien
