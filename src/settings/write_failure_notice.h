#pragma once

#include <QString>

namespace chronolien {

class MessageBox;

// Tells the user that a file could not be written, once for a run of failures: a file that stays
// unwritable (a read-only application folder, a full disk) is told and logged at its first failed
// write, and again only after a write has succeeded in between. The program goes on with its
// values in memory.
class WriteFailureNotice {
public:
    explicit WriteFailureNotice(MessageBox& messages);

    void succeeded() { m_failing = false; }
    void failed(const QString& path, const QString& error);
    // Whether the last write failed.
    bool failing() const { return m_failing; }

private:
    MessageBox& m_messages;
    bool m_failing = false;
};

// What the user is told when a file cannot be written.
QString writeFailureText(const QString& path);

} // namespace chronolien
