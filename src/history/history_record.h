#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <cstring>
#include <optional>

namespace chronolien {

// A local date and time as the clock showed it, without zone: seconds since 1970-01-01 00:00 of
// the local clock. The history keeps wall-clock readings, and the days of a connection are the
// clock's days, so plain arithmetic on these readings is what the reports need.
qint64 clockSeconds(const QDateTime& localTime);
qint64 clockSeconds(const QDate& day);
QDate clockDay(qint64 clockSeconds);

// One connection of historique.csv: when it began and when it was last brought up to date (or
// ended), the seconds counted for it, and the bytes received and sent on the line meanwhile.
struct ConnectionRecord {
    qint64 start = 0;
    qint64 end = 0;
    qint32 seconds = 0;
    quint64 receivedBytes = 0;
    quint64 sentBytes = 0;

    friend bool operator==(const ConnectionRecord&, const ConnectionRecord&) = default;
};

// The file's first line, without its line end.
QByteArrayView historyHeader();

// debut;fin;secondes;octets_recus;octets_envoyes with the times as 2026-12-06T14:03:27, ending in "\n".
QByteArray formatRecord(const ConnectionRecord& record);
// A line without its "\n" (a "\r" before it is allowed); nothing unless every field reads.
std::optional<ConnectionRecord> parseRecord(QByteArrayView line);

// The connections of a history file in file order; lines that do not read (the header, a torn or
// hand-edited line) are skipped. A missing file, or anything but a regular file, holds none.
QList<ConnectionRecord> readHistory(const QString& path);

// Calls visit(line, offset) for each line of the text, without its line end; a last line with no
// line end is visited too.
template <typename Visit> void forEachLine(QByteArrayView text, Visit&& visit)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* line = begin; line < end;) {
        const void* found = std::memchr(line, '\n', size_t(end - line));
        const char* lineEnd = found ? static_cast<const char*>(found) : end;
        visit(QByteArrayView(line, lineEnd), qsizetype(line - begin));
        line = lineEnd + 1;
    }
}

} // namespace chronolien
