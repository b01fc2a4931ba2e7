#pragma once

#include <QString>
#include <optional>

namespace chronolien {

// The bounds and the fallback text of one of the seven time fields of the plan pages.
struct TimeFieldRule {
    int lowest;
    int highest;
    const char16_t* replacement; // what a text that is no number becomes while typing
    int maxLength; // characters the box holds at most
};

inline constexpr TimeFieldRule kHoursField { 0, 999, u"0", 3 };
inline constexpr TimeFieldRule kMinutesField { 0, 59, u"0", 2 };
inline constexpr TimeFieldRule kSecondsField { 0, 59, u"0", 2 };
inline constexpr TimeFieldRule kDayField { 1, 31, u"1", 3 };

// The value of a number written the French way: an optional sign, digits and a decimal comma
// ("0,5", "12", "-3", "5,"). An empty text, a lone sign or anything else is no number.
std::optional<double> timeFieldNumber(const QString& text);
// The numeric value of a field's text; 0 for a text that is no number.
double timeFieldValue(const QString& text);

// The text after a change while typing: the field's replacement when the text is no number,
// otherwise the text as it is (no bound applies while typing).
QString textAfterChange(const TimeFieldRule& rule, const QString& text);
// The text when the field is left: above the highest value it becomes the highest, then below the
// lowest it becomes the lowest; a value within the bounds stays exactly as typed.
QString textOnLeave(const TimeFieldRule& rule, const QString& text);

// Hours, minutes and seconds texts to whole seconds, halves rounding to the even neighbour.
qint32 secondsFromFields(const QString& hours, const QString& minutes, const QString& seconds);
// The day of month a day field's text stands for.
qint16 dayFromField(const QString& day);

struct HoursMinutesSeconds {
    qint32 hours;
    qint32 minutes;
    qint32 seconds;
};
// Whole hours, then whole minutes of the rest, then the seconds left.
HoursMinutesSeconds splitSeconds(qint32 seconds);

} // namespace chronolien
