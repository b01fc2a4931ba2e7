#include "app/tray_picture.h"

namespace chronolien {

QIcon trayPicture()
{
    // The pictures are built into the program (src/app/CMakeLists.txt) and decoded at the size a
    // tray asks for, when it asks. Drawing the dial here instead would fill its shaded face through
    // Qt's painting threads, two threads kept alive for half a minute after the start.
    QIcon icon;
    for (int size : { 16, 22, 24, 32, 48, 64 })
        icon.addFile(QStringLiteral(":/tray/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace chronolien
