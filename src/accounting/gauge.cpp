#include "accounting/gauge.h"

namespace chronolien {

namespace {

GaugeView at(float position)
{
    GaugeView view;
    view.visible = true;
    view.position = position;
    view.leftTwips = double(position * 11.2f) + 120.0;
    view.colour = position < 40 ? Qt::white : position <= 60 ? Qt::green : Qt::red;
    return view;
}

} // namespace

GaugeView computeGauge(int daysSinceReset, int periodDays, qint32 monthSeconds, qint32 allowanceSeconds)
{
    // Without an allowance there is no share to compare: the gauge says only whether the month is over.
    if (allowanceSeconds <= 0)
        return at(monthSeconds > allowanceSeconds ? 100.0f : 0.0f);

    float timeShare = periodDays > 0 ? float(daysSinceReset) * 100.0f / float(periodDays) : 0.0f;
    if (timeShare == 0.0f)
        timeShare = 1.0f;
    const float useShare = float(monthSeconds) * 100.0f / float(allowanceSeconds);
    float position = useShare * 100.0f / timeShare / 2.0f;
    if (position < 0)
        position = 0;
    if (position > 100)
        position = 100;
    if (useShare > 100)
        position = 100;
    return at(position);
}

} // namespace chronolien
