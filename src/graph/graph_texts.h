#pragma once

#include <QDate>
#include <QString>

namespace chronolien {

struct UsageReport;

// The graph's French texts.

// "12 h 05" (hours unpadded, minutes padded); "-1 h 10" for a negative count.
QString durationText(qint64 seconds);
// "jeudi 24 décembre 2026", "mardi 1er décembre 2026".
QString longDateText(const QDate& date);
// "2 décembre 2026", "1er janvier 2027".
QString dayText(const QDate& date);

QString periodText(const UsageReport& report);
QString usedText(const UsageReport& report);
// With a plan only: the time left, or how far over the allowance.
QString leftText(const UsageReport& report);
// With a plan only: when the allowance runs out at the current pace, or that it lasts the period.
QString forecastText(const UsageReport& report);
QString dailyPaceText(qint64 secondsPerDay);
QString noHistoryText();

} // namespace chronolien
