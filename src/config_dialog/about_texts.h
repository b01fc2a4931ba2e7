#pragma once

#include <QString>

namespace chronolien {

// The program's version and its maker, as the about box and the configuration dialog show them.
inline constexpr int kVersionMajor = 7;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 6;

// "7.0 .6": the about box's way of writing it, a space before the second point.
inline QString aboutVersionText()
{
    return QStringLiteral("%1.%2 .%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}
// "7.0.6", as the subject of a message to the maker carries it.
inline QString mailVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}
// "7.0", the configuration dialog's version label.
inline QString dialogVersionText()
{
    return QStringLiteral("%1.%2").arg(kVersionMajor).arg(kVersionMinor);
}

inline QString releaseDateText()
{
    return QStringLiteral("12 Août 2004");
}

inline QString makerName()
{
    return QStringLiteral("L'atelier Chronolien");
}
inline QString makerWebSite()
{
    return QStringLiteral("http://chronolien.example.org");
}
inline QString makerMailAddress()
{
    return QStringLiteral("atelier@chronolien.example.org");
}

} // namespace chronolien
