#include "window_rig.h"

#include <QDir>
#include <QImage>
#include <QWidget>

namespace chronolien::test {

bool WindowRig::writePicture(const QString& skin, const QString& name, QSize size, QColor colour) const
{
    if (!QDir(folder.path()).mkpath(QStringLiteral("skin/") + skin))
        return false;
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(folder.file(QStringLiteral("skin/%1/%2").arg(skin, name)), "JPEG", 100);
}

bool WindowRig::writeBrokenPicture(const QString& skin, const QString& name) const
{
    if (!QDir(folder.path()).mkpath(QStringLiteral("skin/") + skin))
        return false;
    folder.writeBytes(QStringLiteral("skin/%1/%2").arg(skin, name), QByteArray("not a picture\r\n"));
    return true;
}

QColor drawnColour(QWidget& window, QPoint at)
{
    return window.grab().toImage().pixelColor(at);
}

} // namespace chronolien::test
