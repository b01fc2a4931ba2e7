#include "skins/skin_files.h"

#include <QFileInfo>
#include <QImageReader>

namespace chronolien {

QString skinPictureFileName(SkinPicture picture)
{
    switch (picture) {
    case SkinPicture::CentreConnected:
        return QStringLiteral("centre.jpg");
    case SkinPicture::CentreDisconnected:
        return QStringLiteral("centre2.jpg");
    case SkinPicture::Counter:
        return QStringLiteral("compteur.jpg");
    case SkinPicture::Mail:
        return QStringLiteral("mail.jpg");
    }
    return {};
}

SkinPicture centrePicture(bool connected)
{
    return connected ? SkinPicture::CentreConnected : SkinPicture::CentreDisconnected;
}

QString skinFolder(const QString& appFolder)
{
    return appFolder + QStringLiteral("/skin");
}

bool isSkinName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

QString skinPicturePath(const QString& appFolder, const QString& skinName, SkinPicture picture)
{
    if (!isSkinName(skinName))
        return {};
    return skinFolder(appFolder) + u'/' + skinName + u'/' + skinPictureFileName(picture);
}

std::optional<QImage> loadSkinPicture(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    // A picture saved under the wrong extension still shows: the content decides the format.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

std::optional<QImage> loadSkinPicture(const QString& appFolder, const QString& skinName, SkinPicture picture)
{
    return loadSkinPicture(skinPicturePath(appFolder, skinName, picture));
}

} // namespace chronolien
