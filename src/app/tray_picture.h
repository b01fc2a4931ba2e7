#pragma once

#include <QIcon>

namespace chronolien {

// The program's icon in the tray: a dial with two hands, for the time counted on the line. The
// pictures are those of the icon theme's sizes up to 64 pixels (data/icons/hicolor, drawn by
// scripts/make-icon.sh).
QIcon trayPicture();

} // namespace chronolien
