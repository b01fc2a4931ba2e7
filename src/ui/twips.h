#pragma once

#include <QPoint>
#include <QRect>
#include <QtMath>

namespace chronolien {

// Window places and sizes are kept in twips; the screen counts 15 twips to the pixel.
constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(int twips)
{
    return qRound(twips / double(TwipsPerPixel));
}
inline int pixelsToTwips(double pixels)
{
    return qRound(pixels * TwipsPerPixel);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

} // namespace chronolien
