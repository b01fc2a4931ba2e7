#include "config_dialog/time_field_rules.h"

#include "settings/text_forms.h"

#include <QRegularExpression>
#include <cmath>

namespace chronolien {

std::optional<double> timeFieldNumber(const QString& text)
{
    // "5," must count as a number, or a decimal comma could never be typed.
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)([0-9]*),?([0-9]*)\\s*$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch() || (m.capturedLength(2) == 0 && m.capturedLength(3) == 0))
        return std::nullopt;
    const QString digits = (m.capturedLength(2) ? m.captured(2) : QStringLiteral("0")) + u'.'
        + (m.capturedLength(3) ? m.captured(3) : QStringLiteral("0"));
    const double value = digits.toDouble();
    return m.captured(1) == u"-" ? -value : value;
}

double timeFieldValue(const QString& text)
{
    return timeFieldNumber(text).value_or(0.0);
}

QString textAfterChange(const TimeFieldRule& rule, const QString& text)
{
    return timeFieldNumber(text) ? text : QString::fromUtf16(rule.replacement);
}

QString textOnLeave(const TimeFieldRule& rule, const QString& text)
{
    QString result = text;
    if (timeFieldValue(result) > rule.highest)
        result = QString::number(rule.highest);
    if (timeFieldValue(result) < rule.lowest)
        result = QString::number(rule.lowest);
    return result;
}

qint32 secondsFromFields(const QString& hours, const QString& minutes, const QString& seconds)
{
    const double total
        = timeFieldValue(hours) * 3600.0 + timeFieldValue(minutes) * 60.0 + timeFieldValue(seconds);
    return qint32(roundHalfEven(total));
}

qint16 dayFromField(const QString& day)
{
    return qint16(roundHalfEven(timeFieldValue(day)));
}

HoursMinutesSeconds splitSeconds(qint32 seconds)
{
    const qint32 hours = seconds / 3600;
    const qint32 rest = seconds - hours * 3600;
    const qint32 minutes = rest / 60;
    return { hours, minutes, rest - minutes * 60 };
}

} // namespace chronolien
