#pragma once

#include "state/program_view.h"

namespace chronolien {

// Where the consumption gauge stands: 50 when the share of the allowance used equals the share of
// the plan's month gone by, lower when the time is used more slowly, higher when faster.
// daysSinceReset / periodDays give the month's share; on the reset day itself it counts as 1 %.
GaugeView computeGauge(int daysSinceReset, int periodDays, qint32 monthSeconds, qint32 allowanceSeconds);

} // namespace chronolien
