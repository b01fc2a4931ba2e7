#include "graph/graph_texts.h"

#include "history/usage_report.h"

#include <QLocale>

namespace chronolien {

namespace {

const QLocale& french()
{
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

// French writes the first of the month as an ordinal.
QString dayOfMonth(const QDate& date)
{
    return date.day() == 1 ? QStringLiteral("1er") : QString::number(date.day());
}

} // namespace

QString durationText(qint64 seconds)
{
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    const qint64 minutes = std::abs(seconds) / 60;
    return sign + QStringLiteral("%1 h %2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString dayText(const QDate& date)
{
    return dayOfMonth(date) + QLatin1Char(' ') + french().monthName(date.month()) + QLatin1Char(' ')
        + QString::number(date.year());
}

QString longDateText(const QDate& date)
{
    return french().dayName(date.dayOfWeek()) + QLatin1Char(' ') + dayText(date);
}

QString periodText(const UsageReport& report)
{
    return QStringLiteral("Période en cours : du %1 au %2")
        .arg(dayText(report.current.first), dayText(report.current.last));
}

QString usedText(const UsageReport& report)
{
    const QString used = QStringLiteral("Temps utilisé : ") + durationText(report.current.seconds);
    return report.hasPlan ? used + QStringLiteral(" sur ") + durationText(report.allowance) : used;
}

QString leftText(const UsageReport& report)
{
    if (report.left() < 0)
        return QStringLiteral("Dépassement du forfait : ") + durationText(-report.left());
    return QStringLiteral("Temps restant : ") + durationText(report.left());
}

QString forecastText(const UsageReport& report)
{
    switch (report.forecast) {
    case Forecast::NoPlan:
        return {};
    case Forecast::NothingUsed:
        return QStringLiteral("Aucun temps utilisé pour l'instant : votre forfait durera toute la période.");
    case Forecast::LastsThePeriod:
        return QStringLiteral("Au rythme actuel, votre forfait durera jusqu'à la fin de la période (le %1).")
            .arg(dayText(report.current.last));
    case Forecast::RunsOut:
        return QStringLiteral("Au rythme actuel, votre forfait sera épuisé le %1.")
            .arg(longDateText(report.runsOutOn));
    case Forecast::Exhausted:
        return QStringLiteral("Votre forfait est épuisé.");
    }
    return {};
}

QString dailyPaceText(qint64 secondsPerDay)
{
    return QStringLiteral("Rythme du forfait : %1 par jour").arg(durationText(secondsPerDay));
}

QString noHistoryText()
{
    return QStringLiteral("Aucun historique de connexion pour l'instant : le graphique se remplira au fil de "
                          "vos connexions.");
}

} // namespace chronolien
