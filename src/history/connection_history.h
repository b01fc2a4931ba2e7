#pragma once

#include "history/history_record.h"
#include "platform/line.h"

#include <QString>
#include <optional>

class QDateTime;

namespace chronolien {

// historique.csv as the tick keeps it: one line per connection, the line of the connection in
// progress rewritten in place at each save, so that a crash loses no more than the seconds since
// the last save. The file is opened for each operation only; a file that cannot be written is
// logged once and the counting goes on without it.
class ConnectionHistory {
public:
    explicit ConnectionHistory(QString path);

    // Once at start, before any connection: mends a torn last line (dropped: a cut line cannot be
    // told from a whole one with smaller numbers), sets aside a file that is not a history as
    // historique.csv.bak, gives a history without its header one, and drops the connections that
    // ended more than five years before now. Anything to change is rewritten through a temporary
    // file that replaces the old one.
    void tidy(const QDateTime& now);

    // A connection began: its line is written at once. `traffic` is the line's first reading of its
    // counters; the bytes of the connection are counted from it.
    void begin(const QDateTime& now, std::optional<Line::Traffic> traffic);
    // Brings the line of the connection in progress up to date: end time, the seconds counted for it
    // so far and the line's counters now. Nothing when no connection is in progress.
    void update(const QDateTime& now, qint32 seconds, std::optional<Line::Traffic> traffic);
    // The last update, after which no connection is in progress.
    void end(const QDateTime& now, qint32 seconds, std::optional<Line::Traffic> traffic);

    bool inProgress() const { return m_inProgress; }
    // The connection in progress as it was last written or meant to be.
    const ConnectionRecord& current() const { return m_current; }

private:
    void countTraffic(std::optional<Line::Traffic> traffic);
    void writeCurrent();
    bool tryWriteCurrent(QString& failure);

    QString m_path;
    bool m_inProgress = false;
    ConnectionRecord m_current;
    std::optional<Line::Traffic> m_lastTraffic;
    std::optional<qint64> m_lineOffset; // where the current line starts in the file, once written
    bool m_failing = false;
    bool m_unusable = false; // a foreign file stands in its place and could not be set aside
};

} // namespace chronolien
