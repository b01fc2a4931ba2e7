#pragma once

#include <QString>

namespace chronolien {

// H:MM:SS with the hours unpadded and not limited to 24 (3725 s reads 1:02:05). A negative count,
// which only a hand-edited file can give, reads with a leading "-".
QString timeText(qint64 seconds);

// The month counter's text. Counting up it is the month time; in countdown it is the time left
// before the allowance ("-") or beyond it ("+"), the sign dropped from 100 hours on.
QString monthCounterText(qint32 monthSeconds, qint32 allowanceSeconds, bool countdown);

// The tray icon's tooltip: the program's name, then the month time and, with a plan, the time left
// or, past the allowance, the time beyond it.
QString trayToolTip(qint32 monthSeconds, qint32 allowanceSeconds, bool plan);

} // namespace chronolien
