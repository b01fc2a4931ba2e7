#include "history/history_record.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

namespace chronolien {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
constexpr qint64 kEpochJulianDay = 2440588; // 1970-01-01
constexpr qsizetype kTimeSize = 19; // 2026-12-06T14:03:27

// Reads a field of exactly `width` digits starting at `at`.
std::optional<int> fixedDigits(QByteArrayView text, qsizetype at, qsizetype width)
{
    int value = 0;
    for (qsizetype i = at; i < at + width; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<qint64> parseTime(QByteArrayView text)
{
    if (text.size() != kTimeSize || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':'
        || text[16] != ':')
        return std::nullopt;
    const auto year = fixedDigits(text, 0, 4), month = fixedDigits(text, 5, 2), day = fixedDigits(text, 8, 2);
    const auto hour = fixedDigits(text, 11, 2), minute = fixedDigits(text, 14, 2),
               second = fixedDigits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return clockSeconds(date) + *hour * 3600 + *minute * 60 + *second;
}

std::optional<quint64> parseCount(QByteArrayView text, quint64 max)
{
    if (text.isEmpty() || text.size() > 20)
        return std::nullopt;
    quint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const quint64 digit = quint64(c - '0');
        if (value > (max - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

void appendTime(QByteArray& out, qint64 seconds)
{
    const QDate day = clockDay(seconds);
    const qint64 inDay = seconds - clockSeconds(day);
    const auto digits = [&out](int value, int width) {
        char text[8];
        for (int i = width - 1; i >= 0; --i, value /= 10)
            text[i] = char('0' + value % 10);
        out.append(text, width);
    };
    digits(day.year(), 4);
    out.append('-');
    digits(day.month(), 2);
    out.append('-');
    digits(day.day(), 2);
    out.append('T');
    digits(int(inDay / 3600), 2);
    out.append(':');
    digits(int(inDay / 60 % 60), 2);
    out.append(':');
    digits(int(inDay % 60), 2);
}

} // namespace

qint64 clockSeconds(const QDate& day)
{
    return (day.toJulianDay() - kEpochJulianDay) * kSecondsPerDay;
}

qint64 clockSeconds(const QDateTime& localTime)
{
    return clockSeconds(localTime.date()) + localTime.time().msecsSinceStartOfDay() / 1000;
}

QDate clockDay(qint64 clockSeconds)
{
    // Floor division, so that a time before 1970 falls on its own day.
    qint64 days = clockSeconds / kSecondsPerDay;
    if (clockSeconds % kSecondsPerDay < 0)
        --days;
    return QDate::fromJulianDay(days + kEpochJulianDay);
}

QByteArrayView historyHeader()
{
    return "debut;fin;secondes;octets_recus;octets_envoyes";
}

QByteArray formatRecord(const ConnectionRecord& record)
{
    QByteArray line;
    line.reserve(96);
    appendTime(line, record.start);
    line.append(';');
    appendTime(line, record.end);
    line.append(';').append(QByteArray::number(record.seconds));
    line.append(';').append(QByteArray::number(record.receivedBytes));
    line.append(';').append(QByteArray::number(record.sentBytes));
    line.append('\n');
    return line;
}

std::optional<ConnectionRecord> parseRecord(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    QByteArrayView fields[5];
    int count = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != ';')
            continue;
        if (count == 5)
            return std::nullopt;
        fields[count++] = line.sliced(from, i - from);
        from = i + 1;
    }
    if (count != 5)
        return std::nullopt;
    const auto start = parseTime(fields[0]), end = parseTime(fields[1]);
    const auto seconds = parseCount(fields[2], quint64(std::numeric_limits<qint32>::max()));
    const auto received = parseCount(fields[3], std::numeric_limits<quint64>::max());
    const auto sent = parseCount(fields[4], std::numeric_limits<quint64>::max());
    if (!start || !end || !seconds || !received || !sent)
        return std::nullopt;
    return ConnectionRecord { *start, *end, qint32(*seconds), *received, *sent };
}

QList<ConnectionRecord> readHistory(const QString& path)
{
    QList<ConnectionRecord> records;
    if (!QFileInfo(path).isFile())
        return records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QByteArray content = file.read(file.size());
    records.reserve(content.size() / 70);
    forEachLine(content, [&](QByteArrayView line, qsizetype) {
        if (const auto record = parseRecord(line))
            records.append(*record);
    });
    return records;
}

} // namespace chronolien
