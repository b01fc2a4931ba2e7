#pragma once

#include <QDate>

namespace chronolien {

// The calendar of the plan's months. The month starts again the day after its reset day j_raz;
// in a month shorter than j_raz the reset day is that month's last day.

// Day j_raz of the given date's month, or the month's last day when it has fewer days.
QDate resetDayOfMonth(const QDate& dayInMonth, int j_raz);

// A new month of the plan has begun since the last reset: today is past the reset day of the month
// that follows the last reset's month.
bool monthlyResetDue(const QDate& date_raz, const QDate& today, int j_raz);

// The reset day whose passing starts the month in progress: the latest reset day before today.
QDate lastResetDayBefore(const QDate& today, int j_raz);

// Days from the last reset to today, and the length of the plan's month that begins at the reset:
// from it to the same day one calendar month later.
int daysSinceReset(const QDate& date_raz, const QDate& today);
int periodDays(const QDate& date_raz);

} // namespace chronolien
