#pragma once

#include <QIcon>
#include <QImage>

namespace chronolien {

// The fifteen small pictures of the tree of sections, drawn at run time: 1 and 2 a closed and an
// open folder for the sections, then one picture for each kind of page.
inline constexpr int kTreeImageCount = 15;
inline constexpr int kTreeImageSize = 16;

// Picture number 1 to 15; a blank picture for any other number.
QImage treeImage(int number);
// The entry's icon: the first picture normally, the second while the entry is selected.
QIcon treeIcon(int image, int selectedImage);

} // namespace chronolien
