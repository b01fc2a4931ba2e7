#pragma once

#include "history/history_record.h"

#include <QDate>
#include <QList>

namespace chronolien {

struct PlanSettings;

// A plan's month (or the same stretch of days without a plan), its first and last day included.
struct UsagePeriod {
    QDate first;
    QDate last;
    qint64 seconds = 0;
};

enum class Forecast {
    NoPlan,
    NothingUsed, // no time used yet this period: the allowance lasts it
    LastsThePeriod, // at the current pace the allowance lasts until the period's end
    RunsOut, // at the current pace the allowance runs out on runsOutOn
    Exhausted, // no time left
};

// What the graph shows: the current period day by day, the twelve periods before it, and, with a
// plan, the time left and when it runs out at the current pace.
struct UsageReport {
    bool hasHistory = false;
    bool hasPlan = false;
    qint64 allowance = 0; // the plan's seconds; 0 without a plan
    // The period the month counter counts now. Its seconds are the counter's own (cpt_mois), so that
    // the figure agrees with the counter the user sees, and the history's own sum while a new
    // period has begun that the program has not yet reset the counter for.
    UsagePeriod current;
    QList<qint64> days; // seconds of each day of the current period, from its first day, from the history
    QList<UsagePeriod> previous; // the twelve periods before it, oldest first, from the history
    Forecast forecast = Forecast::NoPlan;
    QDate runsOutOn; // with Forecast::RunsOut

    qint64 left() const { return allowance - current.seconds; }
};

// The period that holds today, as the month counter counts it: it ends on the reset day after
// date_raz (after which the counter is reset), and starts the day after the reset day a month
// before. Without a date_raz that reads, or once the next reset is due, it is the period of the
// calendar of reset days that holds today.
UsagePeriod currentPeriod(const PlanSettings& plan, const QDate& today);

// The report for today. The seconds of a connection that spans midnight are shared between its
// days in proportion to the clock time spent in each.
UsageReport summarizeUsage(
    const QList<ConnectionRecord>& history, const PlanSettings& plan, const QDate& today);

// The report from historique.csv and config.ini in the application folder, both only read.
UsageReport usageReportForFolder(const QString& appFolder, const QDate& today);

} // namespace chronolien
