#pragma once

#include <QFont>
#include <QStringList>

namespace chronolien {

// The font a window layout names, or the first installed of its stand-ins, else the closest face
// of the same kind.
inline QFont layoutFont(const QStringList& families, double points, QFont::StyleHint kind)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(kind);
    font.setPointSizeF(points);
    return font;
}

} // namespace chronolien
