#include "accounting/plan_calendar.h"

#include <algorithm>

namespace chronolien {

QDate ResetDayOfMonth(const QDate& dayInMonth, int j_raz)
{
    const QDate first(dayInMonth.year(), dayInMonth.month(), 1);
    return QDate(first.year(), first.month(), std::clamp(j_raz, 1, first.daysInMonth()));
}

int MonthBoundaries(const QDate& from, const QDate& to)
{
    return (to.year() * 12 + to.month()) - (from.year() * 12 + from.month());
}

bool MonthlyResetDue(const QDate& date_raz, const QDate& today, int j_raz)
{
    const QDate nextReset = ResetDayOfMonth(QDate(date_raz.year(), date_raz.month(), 1).addMonths(1), j_raz);
    return today > nextReset;
}

QDate LastResetDayBefore(const QDate& today, int j_raz)
{
    const QDate thisMonth = ResetDayOfMonth(today, j_raz);
    if (thisMonth < today)
        return thisMonth;
    return ResetDayOfMonth(QDate(today.year(), today.month(), 1).addMonths(-1), j_raz);
}

int DaysSinceReset(const QDate& date_raz, const QDate& today)
{
    return int(date_raz.daysTo(today));
}

int PeriodDays(const QDate& date_raz)
{
    return int(date_raz.daysTo(date_raz.addMonths(1)));
}

} // namespace chronolien
