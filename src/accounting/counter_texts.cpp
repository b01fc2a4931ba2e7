#include "accounting/counter_texts.h"

#include <cstdlib>

namespace chronolien {

QString timeText(qint64 seconds)
{
    const bool negative = seconds < 0;
    const qint64 value = negative ? -seconds : seconds;
    const qint64 hours = value / 3600;
    const qint64 rest = value - hours * 3600;
    const qint64 minutes = rest / 60;
    const qint64 secs = rest - minutes * 60;
    return QStringLiteral("%1%2:%3:%4")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(hours)
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(secs, 2, 10, QLatin1Char('0'));
}

QString monthCounterText(qint32 monthSeconds, qint32 allowanceSeconds, bool countdown)
{
    if (!countdown)
        return timeText(monthSeconds);
    // In 64 bits: the difference of two 32-bit counts may not fit in 32.
    const qint64 remaining = std::llabs(qint64(allowanceSeconds) - qint64(monthSeconds));
    const QString text = timeText(remaining);
    if (remaining / 3600 >= 100)
        return text;
    return (monthSeconds <= allowanceSeconds ? QStringLiteral("-") : QStringLiteral("+")) + text;
}

QString trayToolTip(qint32 monthSeconds, qint32 allowanceSeconds, bool plan)
{
    const QString text = QStringLiteral("Chronolien\nCe mois-ci : ") + timeText(monthSeconds);
    if (!plan)
        return text;
    const qint64 left = qint64(allowanceSeconds) - qint64(monthSeconds);
    return text
        + (left >= 0 ? QStringLiteral("\nReste : ") + timeText(left)
                     : QStringLiteral("\nDépassement : ") + timeText(-left));
}

} // namespace chronolien
