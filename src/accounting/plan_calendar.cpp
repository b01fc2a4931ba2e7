#include "accounting/plan_calendar.h"

#include <algorithm>

namespace chronolien {

QDate resetDayOfMonth(const QDate& dayInMonth, int j_raz)
{
    const QDate first(dayInMonth.year(), dayInMonth.month(), 1);
    return QDate(first.year(), first.month(), std::clamp(j_raz, 1, first.daysInMonth()));
}

bool monthlyResetDue(const QDate& date_raz, const QDate& today, int j_raz)
{
    const QDate nextReset = resetDayOfMonth(QDate(date_raz.year(), date_raz.month(), 1).addMonths(1), j_raz);
    return today > nextReset;
}

QDate lastResetDayBefore(const QDate& today, int j_raz)
{
    const QDate thisMonth = resetDayOfMonth(today, j_raz);
    if (thisMonth < today)
        return thisMonth;
    return resetDayOfMonth(QDate(today.year(), today.month(), 1).addMonths(-1), j_raz);
}

int daysSinceReset(const QDate& date_raz, const QDate& today)
{
    return int(date_raz.daysTo(today));
}

int periodDays(const QDate& date_raz)
{
    return int(date_raz.daysTo(date_raz.addMonths(1)));
}

} // namespace chronolien
