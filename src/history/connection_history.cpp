#include "history/connection_history.h"

#include "history/history_log.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace chronolien {

namespace {

constexpr int kKeptYears = 5;
constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

// A spreadsheet that saved the file may have put a byte order mark and CR LF line ends in it.
bool isHeaderLine(QByteArrayView line)
{
    if (line.startsWith(kUtf8Bom))
        line = line.sliced(kUtf8Bom.size());
    if (line.endsWith('\r'))
        line.chop(1);
    return line == historyHeader();
}

// historique.csv.bak, or the first of historique.csv.bak2, .bak3… that is free: an older copy set
// aside is never overwritten.
QString freeBackupName(const QString& path)
{
    const QString base = path + QStringLiteral(".bak");
    for (int n = 1; n < 100; ++n) {
        const QString name = n == 1 ? base : base + QString::number(n);
        if (!QFileInfo::exists(name))
            return name;
    }
    return {};
}

} // namespace

ConnectionHistory::ConnectionHistory(QString path)
    : m_path(std::move(path))
{
}

void ConnectionHistory::tidy(const QDateTime& now)
{
    // Anything but a regular file is left alone; the first write says why no history is kept.
    if (!QFileInfo(m_path).isFile())
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcHistory) << "cannot read" << m_path << file.errorString();
        return;
    }
    const QByteArray content = file.read(file.size());
    file.close();
    if (content.isEmpty())
        return;

    QList<QByteArrayView> lines;
    forEachLine(content, [&](QByteArrayView line, qsizetype) { lines.append(line); });

    const bool hasHeader = isHeaderLine(lines.first());
    if (!hasHeader && !parseRecord(lines.first())) {
        const QString backup = freeBackupName(m_path);
        if (!backup.isEmpty() && QFile::rename(m_path, backup)) {
            qCWarning(lcHistory) << m_path << "does not hold a connection history; set aside as" << backup;
        } else {
            m_unusable = true;
            qCWarning(lcHistory) << m_path << "does not hold a connection history and cannot be set aside:"
                                 << "no history is kept";
        }
        return;
    }

    bool changed = !hasHeader;
    // The last line is torn when the file does not end with its line end or when it does not read:
    // the program always writes a whole line in one go, so only a crash of the system or a full disk
    // leaves one.
    const qsizetype lastRecordLine = hasHeader ? 1 : 0;
    if (lines.size() > lastRecordLine && (!content.endsWith('\n') || !parseRecord(lines.last()))) {
        qCWarning(lcHistory) << "dropping the torn last line of" << m_path
                             << lines.last().first(std::min<qsizetype>(lines.last().size(), 200));
        lines.removeLast();
        changed = true;
    }
    if (hasHeader && !content.endsWith('\n') && lines.size() == 1)
        changed = true; // the header alone, without its line end

    const qint64 oldest
        = clockSeconds(now.date().addYears(-kKeptYears)) + now.time().msecsSinceStartOfDay() / 1000;
    QByteArray kept;
    kept.reserve(content.size() + historyHeader().size() + 1);
    if (!hasHeader)
        kept.append(historyHeader()).append('\n');
    qsizetype dropped = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // Lines that do not read are the user's: kept as they are.
        const auto record = i >= lastRecordLine ? parseRecord(lines[i]) : std::nullopt;
        if (record && record->end < oldest) {
            ++dropped;
            continue;
        }
        kept.append(lines[i]).append('\n');
    }
    if (!changed && dropped == 0)
        return;

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly) || out.write(kept) != kept.size() || !out.commit()) {
        qCWarning(lcHistory) << "cannot rewrite" << m_path << out.errorString();
        return;
    }
    if (dropped > 0)
        qCInfo(lcHistory) << "dropped" << dropped << "connections older than" << kKeptYears << "years from"
                          << m_path;
}

void ConnectionHistory::begin(const QDateTime& now, std::optional<Line::Traffic> traffic)
{
    m_inProgress = true;
    m_lineOffset.reset();
    m_lastTraffic = traffic;
    m_current = ConnectionRecord { clockSeconds(now), clockSeconds(now), 0, 0, 0 };
    writeCurrent();
}

void ConnectionHistory::update(const QDateTime& now, qint32 seconds, std::optional<Line::Traffic> traffic)
{
    if (!m_inProgress)
        return;
    m_current.end = clockSeconds(now);
    m_current.seconds = std::max(seconds, 0);
    countTraffic(traffic);
    writeCurrent();
}

void ConnectionHistory::end(const QDateTime& now, qint32 seconds, std::optional<Line::Traffic> traffic)
{
    update(now, seconds, traffic);
    m_inProgress = false;
    m_lineOffset.reset();
    m_lastTraffic.reset();
}

// The counters belong to the line's interface: when a reading is lower than the one before, the
// interface was made anew (a new link, another device) and counts from zero again.
void ConnectionHistory::countTraffic(std::optional<Line::Traffic> traffic)
{
    if (!traffic)
        return;
    if (m_lastTraffic) {
        const auto grown = [](quint64 now, quint64 before) { return now >= before ? now - before : now; };
        m_current.receivedBytes += grown(traffic->receivedBytes, m_lastTraffic->receivedBytes);
        m_current.sentBytes += grown(traffic->sentBytes, m_lastTraffic->sentBytes);
    }
    m_lastTraffic = traffic;
}

void ConnectionHistory::writeCurrent()
{
    QString failure;
    if (tryWriteCurrent(failure)) {
        if (m_failing)
            qCInfo(lcHistory) << "writing" << m_path << "again";
        m_failing = false;
        return;
    }
    // Once per run of failures: the save comes every ten seconds.
    if (!m_failing)
        qCWarning(lcHistory) << "cannot write the connection history" << m_path << failure;
    m_failing = true;
}

bool ConnectionHistory::tryWriteCurrent(QString& failure)
{
    if (m_unusable) {
        failure = QStringLiteral("the file in its place is not a history");
        return false;
    }
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile()) {
        failure = QStringLiteral("not a regular file");
        return false;
    }
    // Unbuffered: the line goes to the file in a single write, so that a process killed at any
    // moment leaves either the line before or the line after, each whole.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        failure = file.errorString();
        return false;
    }
    const QByteArray line = formatRecord(m_current);
    const qint64 size = file.size();

    // The line is still where it was written when it starts there with the same start time (which
    // never changes) after a line end; a file edited or replaced meanwhile gets the line appended.
    const auto lineStillThere = [&](qint64 offset) {
        constexpr qint64 startField = 20; // "2026-12-06T14:03:27;"
        if (offset <= 0 || offset + startField > size || !file.seek(offset - 1))
            return false;
        return file.read(startField + 1) == '\n' + line.left(startField);
    };

    qint64 writeAt;
    QByteArray bytes;
    if (m_lineOffset && lineStillThere(*m_lineOffset)) {
        writeAt = *m_lineOffset;
        bytes = line;
    } else {
        writeAt = size;
        if (size == 0) {
            bytes.append(historyHeader()).append('\n');
        } else {
            char last = 0;
            if (!file.seek(size - 1) || !file.getChar(&last)) {
                failure = file.errorString();
                return false;
            }
            if (last != '\n')
                bytes.append('\n');
        }
        m_lineOffset = size + bytes.size();
        bytes.append(line);
    }
    // Written over the line before, then cut after it: the line only grows, and a shorter file in
    // between would hold a torn line.
    if (!file.seek(writeAt) || file.write(bytes) != bytes.size() || !file.resize(writeAt + bytes.size())) {
        failure = file.errorString();
        return false;
    }
    return true;
}

} // namespace chronolien
