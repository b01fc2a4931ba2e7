#include "mail/mail_date.h"

#include "state/mail_list.h"

#include <QStringList>
#include <array>

namespace chronolien {

namespace {

// Cuts text at the first occurrence of a marker, keeping what comes before it.
void cutBefore(QString& text, QStringView marker)
{
    const qsizetype p = text.indexOf(marker);
    if (p >= 0)
        text.truncate(p);
}

void replaceFirst(QString& text, QStringView from, QStringView to)
{
    const qsizetype p = text.indexOf(from);
    if (p >= 0)
        text.replace(p, from.size(), to.toString());
}

struct MonthNames {
    int month;
    std::array<const char16_t*, 5> names; // every accepted spelling, lower case
};

// The month tokens the reader takes: what normaliseMailDate leaves of the English names, the
// English names themselves, and the French ones.
const std::array<MonthNames, 12>& monthTable()
{
    static const std::array<MonthNames, 12> table { {
        { 1, { u"jan", u"january", u"janvier", u"janv", nullptr } },
        { 2, { u"fév", u"feb", u"févruary", u"février", u"févr" } },
        { 3, { u"mar", u"march", u"mars", nullptr, nullptr } },
        { 4, { u"avr", u"apr", u"avril", u"april", nullptr } },
        { 5, { u"mai", u"may", nullptr, nullptr, nullptr } },
        { 6, { u"jun", u"june", u"juin", nullptr, nullptr } },
        { 7, { u"jul", u"july", u"juillet", u"juil", nullptr } },
        { 8, { u"aou", u"aug", u"aouust", u"août", u"august" } },
        { 9, { u"sep", u"september", u"sept", u"septembre", nullptr } },
        { 10, { u"oct", u"october", u"octobre", nullptr, nullptr } },
        { 11, { u"nov", u"november", u"novembre", nullptr, nullptr } },
        { 12, { u"dec", u"december", u"déc", u"décembre", u"decembre" } },
    } };
    return table;
}

int monthOf(QStringView token)
{
    for (const MonthNames& m : monthTable()) {
        for (const char16_t* name : m.names) {
            if (name != nullptr && token == QStringView(name))
                return m.month;
        }
    }
    return 0;
}

bool isWeekday(QStringView token)
{
    static const QStringList days {
        QStringLiteral("mon"),
        QStringLiteral("tue"),
        QStringLiteral("wed"),
        QStringLiteral("thu"),
        QStringLiteral("fri"),
        QStringLiteral("sat"),
        QStringLiteral("sun"),
        QStringLiteral("monday"),
        QStringLiteral("tuesday"),
        QStringLiteral("wednesday"),
        QStringLiteral("thursday"),
        QStringLiteral("friday"),
        QStringLiteral("saturday"),
        QStringLiteral("sunday"),
        QStringLiteral("lun"),
        QStringLiteral("mer"),
        QStringLiteral("jeu"),
        QStringLiteral("ven"),
        QStringLiteral("sam"),
        QStringLiteral("dim"),
        QStringLiteral("lundi"),
        QStringLiteral("mardi"),
        QStringLiteral("mercredi"),
        QStringLiteral("jeudi"),
        QStringLiteral("vendredi"),
        QStringLiteral("samedi"),
        QStringLiteral("dimanche"),
    };
    return days.contains(token);
}

// A zone written as letters: a name (gmt, cest, msk, aedt...) or a military letter. The time is
// kept as written whatever its zone, as for a zone unknown to the reader.
bool isZoneName(QStringView token)
{
    if (token.size() > 5)
        return false;
    for (const QChar c : token) {
        if (!c.isLetter())
            return false;
    }
    return true;
}

bool allDigits(QStringView token)
{
    if (token.isEmpty())
        return false;
    for (const QChar c : token) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// h:mm or h:mm:ss, each part one or two digits, the seconds maybe with a fraction (dropped).
bool readTime(QStringView token, QTime& time)
{
    QList<QStringView> parts = token.split(u':');
    if (parts.size() == 3) {
        const qsizetype point = parts[2].indexOf(u'.');
        if (point >= 0) {
            if (!allDigits(parts[2].mid(point + 1)))
                return false;
            parts[2] = parts[2].left(point);
        }
    }
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    int values[3] = { 0, 0, 0 };
    for (qsizetype k = 0; k < parts.size(); ++k) {
        if (!allDigits(parts[k]) || parts[k].size() > 2)
            return false;
        values[k] = parts[k].toInt();
    }
    // A leap second is shown as the last second of its minute.
    time = QTime(values[0], values[1], qMin(values[2], 59));
    return time.isValid();
}

} // namespace

QString normaliseMailDate(const QString& value)
{
    QString s = value;
    const qsizetype comma = s.indexOf(u',');
    if (comma >= 0)
        s = s.mid(comma + 1, 50);
    cutBefore(s, u"-");
    cutBefore(s, u"+");
    for (const char16_t* zone : { u" ut", u" est", u" pst", u" gmt" })
        cutBefore(s, QStringView(zone));
    replaceFirst(s, u"feb", u"fév");
    replaceFirst(s, u"aug", u"aou");
    replaceFirst(s, u"may", u"mai");
    replaceFirst(s, u"apr", u"avr");
    return s;
}

QDateTime readNormalisedDate(const QString& text)
{
    int day = 0;
    int month = 0;
    int year = -1;
    QTime time(0, 0);
    bool timeSeen = false;
    bool zoneSeen = false;
    bool inComment = false;

    const QList<QStringView> tokens = QStringView(text).split(u' ', Qt::SkipEmptyParts);
    for (QStringView token : tokens) {
        token = token.trimmed();
        // A comment such as "(utc)" or "(heure de paris)" carries nothing to read.
        if (inComment || token.startsWith(u'(')) {
            inComment = !token.endsWith(u')');
            continue;
        }
        while (token.endsWith(u',') || token.endsWith(u'.'))
            token.chop(1);
        if (token.isEmpty())
            continue;

        if (allDigits(token)) {
            if (token.size() > 4)
                return {};
            const int number = token.toInt();
            // The day comes before the month ("3 feb 2004") or after it ("feb 3 10:15:00 2004",
            // the asctime form).
            if (day == 0 && token.size() <= 2 && (month == 0 || year < 0)) {
                day = number;
            } else if (month != 0 && year < 0 && (token.size() == 2 || token.size() == 4)) {
                year = token.size() == 4 ? number : (number < 50 ? 2000 + number : 1900 + number);
            } else {
                return {};
            }
        } else if (token.contains(u':')) {
            if (timeSeen || !readTime(token, time))
                return {};
            timeSeen = true;
        } else if (const int m = monthOf(token); m != 0 && month == 0) {
            month = m;
        } else if (day == 0 && month == 0 && isWeekday(token)) {
            continue;
        } else if (timeSeen && !zoneSeen && isZoneName(token)) {
            zoneSeen = true;
        } else {
            return {};
        }
    }
    const QDate date(year, month, day);
    if (day == 0 || month == 0 || year < 1 || !date.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

QDateTime parseMailDate(const QString& value)
{
    const QDateTime date = readNormalisedDate(normaliseMailDate(value));
    return date.isValid() ? date : zeroMailDate();
}

QString mailDateText(const QDateTime& date)
{
    static const std::array<const char16_t*, 7> days { u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi",
        u"samedi", u"dimanche" };
    static const std::array<const char16_t*, 12> months {
        u"janvier",
        u"février",
        u"mars",
        u"avril",
        u"mai",
        u"juin",
        u"juillet",
        u"août",
        u"septembre",
        u"octobre",
        u"novembre",
        u"décembre",
    };
    const QDateTime shown = date.isValid() ? date : zeroMailDate();
    const QDate d = shown.date();
    return QString::fromUtf16(days.at(std::size_t(d.dayOfWeek() - 1))) + u' ' + QString::number(d.day())
        + u' ' + QString::fromUtf16(months.at(std::size_t(d.month() - 1))) + u' ' + QString::number(d.year())
        + QStringLiteral(" à ") + shown.time().toString(QStringLiteral("HH:mm:ss"));
}

QString mailSizeText(float sizeKo)
{
    return QString::number(double(sizeKo), 'f', 2).replace(u'.', u',') + QStringLiteral(" Ko");
}

QString mailDateShortText(const QDateTime& date)
{
    const QString time = date.time().toString(QStringLiteral("HH:mm:ss"));
    if (date.date() == zeroMailDate().date())
        return time;
    const QString day = date.date().toString(QStringLiteral("dd/MM/yyyy"));
    return date.time() == QTime(0, 0) ? day : day + u' ' + time;
}

} // namespace chronolien
