#include "settings/text_forms.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace chronolien {

QString boolToText(bool value)
{
    return value ? QStringLiteral("Vrai") : QStringLiteral("Faux");
}

std::optional<bool> textToBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("Vrai"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("Faux"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = t.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(number))
        return std::nullopt;
    return number != 0.0;
}

QString dateToText(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

std::optional<QDate> textToDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

double leadingNumber(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^[ \\t]*([+-]?(\\d+(\\.\\d*)?|\\.\\d+))"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return 0.0;
    return match.captured(1).toDouble();
}

qint64 roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    // Clamp before converting: a converted value beyond the target's range is undefined.
    const double limit = static_cast<double>(std::numeric_limits<qint64>::max() / 2);
    const double clamped = std::clamp(value, -limit, limit);
    return static_cast<qint64>(std::nearbyint(clamped));
}

} // namespace chronolien
