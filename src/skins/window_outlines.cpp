#include "skins/window_outlines.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace chronolien {

namespace {

using enum OutlineShape::Kind;

constexpr std::array<OutlineShape, 6> CentreShapes { {
    { Rectangle, 1, 12, 72, 52 },
    { Ellipse, 1, 1, 25, 25 },
    { Ellipse, 1, 40, 25, 65 },
    { Rectangle, 12, 1, 59, 64 },
    { Ellipse, 49, 40, 73, 65 },
    { Ellipse, 49, 1, 73, 25 },
} };

constexpr std::array<OutlineShape, 6> CounterShapes { {
    { Rectangle, 2, 11, 120, 44 },
    { Ellipse, 2, 0, 24, 22 },
    { Ellipse, 2, 35, 24, 57 },
    { Rectangle, 12, 0, 110, 56 },
    { Ellipse, 99, 35, 121, 57 },
    { Ellipse, 99, 0, 121, 22 },
} };

constexpr std::array<OutlineShape, 6> MailShapes { {
    { Rectangle, 2, 15, 192, 70 },
    { Ellipse, 2, 1, 30, 29 },
    { Ellipse, 2, 53, 30, 81 },
    { Rectangle, 17, 1, 178, 80 },
    { Ellipse, 165, 53, 193, 81 },
    { Ellipse, 165, 1, 193, 29 },
} };

// The pixels whose centres lie inside the ellipse inscribed in the box, row by row. Qt's own
// elliptic region goes through a polygon and comes out lopsided by a pixel on small circles; the
// corners of these windows are only 22 to 28 pixels across, so they are laid out here exactly and
// symmetrically.
QRegion ellipseRegion(const QRect& box)
{
    QRegion ellipse;
    const double a = box.width() / 2.0;
    const double b = box.height() / 2.0;
    const double cx = box.left() + a;
    const double cy = box.top() + b;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double dy = (y + 0.5 - cy) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const int first = static_cast<int>(std::ceil(cx - half - 0.5));
        const int last = static_cast<int>(std::floor(cx + half - 0.5));
        if (last >= first)
            ellipse += QRect(first, y, last - first + 1, 1);
    }
    return ellipse;
}

QRegion shapeRegion(const OutlineShape& shape)
{
    const QRect box(shape.left, shape.top, shape.right - shape.left, shape.bottom - shape.top);
    if (box.isEmpty())
        return {};
    return shape.kind == Ellipse ? ellipseRegion(box) : QRegion(box);
}

} // namespace

std::span<const OutlineShape> centreWindowShapes()
{
    return CentreShapes;
}

std::span<const OutlineShape> counterWindowShapes()
{
    return CounterShapes;
}

std::span<const OutlineShape> mailWindowShapes()
{
    return MailShapes;
}

QRegion outlineRegion(std::span<const OutlineShape> shapes)
{
    QRegion outline;
    for (const OutlineShape& shape : shapes)
        outline = outline.united(shapeRegion(shape));
    return outline;
}

QRegion centreWindowOutline()
{
    return outlineRegion(centreWindowShapes());
}

QRegion counterWindowOutline()
{
    return outlineRegion(counterWindowShapes());
}

QRegion mailWindowOutline()
{
    return outlineRegion(mailWindowShapes());
}

} // namespace chronolien
