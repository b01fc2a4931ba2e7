#pragma once

#include <QIcon>

namespace chronolien {

// The program's icon, drawn at run time: a dial with two hands, for the time counted on the line.
QIcon trayPicture();

} // namespace chronolien
