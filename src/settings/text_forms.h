#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace chronolien {

// The text forms of values in the program's files: booleans as the French words "Vrai" / "Faux",
// dates as the French short date dd/mm/yyyy.
QString boolToText(bool value);
// Accepts "Vrai", "Faux", "True", "False" in any case, and numbers (0 is false, any other true).
std::optional<bool> textToBool(const QString& text);

QString dateToText(const QDate& date);
// Accepts d/m/yyyy with one or two digits for the day and the month.
std::optional<QDate> textToDate(const QString& text);

// The leading decimal number of a text (leading blanks skipped, an optional sign, digits and an
// optional fraction after a point), rounded to the nearest whole number with halves to the even
// neighbour; 0 when the text begins with no number.
double leadingNumber(const QString& text);
qint64 roundHalfEven(double value);

} // namespace chronolien
