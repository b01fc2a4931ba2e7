#include "history/usage_report.h"

#include "accounting/plan_calendar.h"
#include "history/plan_settings.h"

#include <QDir>
#include <algorithm>
#include <limits>

namespace chronolien {

namespace {

constexpr int kPreviousPeriods = 12;
constexpr qint64 kSecondsPerDay = 86400;

QDate firstOfMonth(const QDate& day)
{
    return QDate(day.year(), day.month(), 1);
}

// The reset day `months` months away from the month of `resetDay`.
QDate resetDayMonthsAway(const QDate& resetDay, int months, int j_raz)
{
    return resetDayOfMonth(firstOfMonth(resetDay).addMonths(months), j_raz);
}

UsagePeriod periodEndingOn(const QDate& resetDay, int j_raz)
{
    return UsagePeriod { resetDayMonthsAway(resetDay, -1, j_raz).addDays(1), resetDay, 0 };
}

// Seconds per day over a span of days. Each connection's counted seconds are shared out between
// the days its clock time covers; the shares are cumulative roundings, so they add up exactly.
class DayTotals {
public:
    DayTotals(const QDate& first, const QDate& last)
        : m_first(first)
        , m_firstSecond(clockSeconds(first))
        , m_endSecond(clockSeconds(last.addDays(1)))
        , m_seconds(first.daysTo(last) + 1, 0)
    {
    }

    void add(const ConnectionRecord& r)
    {
        const qint64 clock = r.end - r.start;
        // A connection whose clock went back, or absurdly long, counts on the day it began.
        if (clock <= 0 || clock > std::numeric_limits<quint32>::max()) {
            addAt(r.start, r.seconds);
            return;
        }
        if (r.end < m_firstSecond || r.start >= m_endSecond)
            return;
        const qint64 from = std::max(r.start, m_firstSecond);
        const qint64 to = std::min(r.end, m_endSecond);
        qint64 dayStart = from - (from - m_firstSecond) % kSecondsPerDay;
        const auto shareUpTo = [&](qint64 t) { return qint64(r.seconds) * (t - r.start) / clock; };
        for (; dayStart < to; dayStart += kSecondsPerDay) {
            const qint64 a = std::max(dayStart, from), b = std::min(dayStart + kSecondsPerDay, to);
            m_seconds[(dayStart - m_firstSecond) / kSecondsPerDay] += shareUpTo(b) - shareUpTo(a);
        }
    }

    qint64 sum(const QDate& first, const QDate& last) const
    {
        const qsizetype from = std::max<qsizetype>(m_first.daysTo(first), 0);
        const qsizetype to = std::min<qsizetype>(m_first.daysTo(last), m_seconds.size() - 1);
        qint64 total = 0;
        for (qsizetype i = from; i <= to; ++i)
            total += m_seconds[i];
        return total;
    }

    QList<qint64> days(const QDate& first, const QDate& last) const
    {
        return m_seconds.mid(m_first.daysTo(first), first.daysTo(last) + 1);
    }

private:
    void addAt(qint64 time, qint64 seconds)
    {
        if (time >= m_firstSecond && time < m_endSecond)
            m_seconds[(time - m_firstSecond) / kSecondsPerDay] += seconds;
    }

    QDate m_first;
    qint64 m_firstSecond;
    qint64 m_endSecond;
    QList<qint64> m_seconds;
};

} // namespace

UsagePeriod currentPeriod(const PlanSettings& plan, const QDate& today)
{
    if (plan.date_raz.isValid() && !monthlyResetDue(plan.date_raz, today, plan.j_raz)) {
        const UsagePeriod counted
            = periodEndingOn(resetDayMonthsAway(plan.date_raz, 1, plan.j_raz), plan.j_raz);
        if (counted.first <= today) // not so when the clock was put back behind date_raz
            return counted;
    }
    return periodEndingOn(
        resetDayMonthsAway(lastResetDayBefore(today, plan.j_raz), 1, plan.j_raz), plan.j_raz);
}

UsageReport summarizeUsage(
    const QList<ConnectionRecord>& history, const PlanSettings& plan, const QDate& today)
{
    UsageReport report;
    report.hasHistory = !history.isEmpty();
    report.hasPlan = plan.forfait;
    report.allowance = plan.forfait ? plan.cpt_limite : 0;
    report.current = currentPeriod(plan, today);
    for (int i = kPreviousPeriods; i >= 1; --i)
        report.previous.append(
            periodEndingOn(resetDayMonthsAway(report.current.last, -i, plan.j_raz), plan.j_raz));

    DayTotals totals(report.previous.first().first, report.current.last);
    for (const ConnectionRecord& record : history)
        totals.add(record);
    for (UsagePeriod& period : report.previous)
        period.seconds = totals.sum(period.first, period.last);
    report.days = totals.days(report.current.first, report.current.last);

    const bool counterCountsThisPeriod
        = plan.date_raz.isValid() && !monthlyResetDue(plan.date_raz, today, plan.j_raz);
    report.current.seconds = counterCountsThisPeriod ? std::max<qint64>(plan.cpt_mois, 0)
                                                     : totals.sum(report.current.first, report.current.last);

    if (!report.hasPlan)
        return report;
    const qint64 used = report.current.seconds;
    const qint64 left = report.left();
    if (left <= 0) {
        report.forecast = Forecast::Exhausted;
    } else if (used == 0) {
        report.forecast = Forecast::NothingUsed;
    } else {
        // The pace is the time used per day so far, today counted as a whole day; the allowance runs
        // out on the day whose end would pass it.
        const qint64 daysElapsed = report.current.first.daysTo(std::min(today, report.current.last)) + 1;
        const qint64 moreDays = (left * daysElapsed + used - 1) / used;
        const QDate runsOut = today.addDays(moreDays);
        if (runsOut > report.current.last) {
            report.forecast = Forecast::LastsThePeriod;
        } else {
            report.forecast = Forecast::RunsOut;
            report.runsOutOn = runsOut;
        }
    }
    return report;
}

UsageReport usageReportForFolder(const QString& appFolder, const QDate& today)
{
    const QDir folder(appFolder);
    return summarizeUsage(readHistory(folder.filePath(QStringLiteral("historique.csv"))),
        readPlanSettings(folder.filePath(QStringLiteral("config.ini"))), today);
}

} // namespace chronolien
