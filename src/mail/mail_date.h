#pragma once

#include <QDateTime>
#include <QString>

namespace chronolien {

// Reduces a lower-case Date header value to the text the date reader takes: the weekday, a numeric
// zone and the zone names ut, est, pst and gmt cut away, and the months feb, aug, may and apr
// turned into their French forms.
QString normaliseMailDate(const QString& value);

// Reads a normalised date: day, month (English or French, abbreviated or whole; the day before or
// after it), year (two digits are 1950 to 2049), time (h:mm or h:mm:ss with maybe a fraction of a
// second, optional), with an optional weekday, a zone written in letters (any name: the time is
// kept as written) and comments. Invalid when the text is no such date.
QDateTime readNormalisedDate(const QString& text);

// A Date header value (lower case) as a date-time; zeroMailDate() when it does not read.
QDateTime parseMailDate(const QString& value);

// "mardi 3 février 2004 à 10:15:00": how the mail windows show a date.
QString mailDateText(const QDateTime& date);
// "1,50 Ko": how the mail windows show a size in kilobytes.
QString mailSizeText(float sizeKo);
// The date as the debug trace writes it: the short French date, then the time unless it is
// midnight; the zero date is only its time.
QString mailDateShortText(const QDateTime& date);

} // namespace chronolien
