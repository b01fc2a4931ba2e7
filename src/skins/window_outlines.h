#pragma once

#include <QRegion>
#include <span>

namespace chronolien {

// One shape of a window outline, in pixels from the window's top-left corner. Right and bottom are
// exclusive for both kinds: an ellipse is the one inscribed in the pixels left..right-1 and
// top..bottom-1, so that a rectangle and an ellipse given the same box cover the same extent.
struct OutlineShape {
    enum Kind { Rectangle, Ellipse };
    Kind kind;
    int left;
    int top;
    int right;
    int bottom;
};

// The shapes of each window's outline, in the order they are united: a wide band, a tall band and
// four corner circles that together make a rectangle with rounded corners.
std::span<const OutlineShape> centreWindowShapes(); // fl_centre, corner circles of 24
std::span<const OutlineShape> counterWindowShapes(); // fl_compteur, corner circles of 22
std::span<const OutlineShape> mailWindowShapes(); // fl_mail, corner circles of 28

// The union of the shapes.
QRegion outlineRegion(std::span<const OutlineShape> shapes);

// The region each window is cut to; the window keeps it until it is shaped again.
QRegion centreWindowOutline();
QRegion counterWindowOutline();
QRegion mailWindowOutline();

} // namespace chronolien
