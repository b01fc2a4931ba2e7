#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace chronolien {

// The four pictures of a skin, one folder per skin under <application folder>/skin/.
enum class SkinPicture {
    CentreConnected, // centre.jpg: the floating window while a connection is up
    CentreDisconnected, // centre2.jpg: the floating window while no connection is up
    Counter, // compteur.jpg: the counter window
    Mail, // mail.jpg: the mail window
};

QString skinPictureFileName(SkinPicture picture);
// The floating window's picture for the state of the line.
SkinPicture centrePicture(bool connected);

// <application folder>/skin
QString skinFolder(const QString& appFolder);

// A name that designates a folder directly inside the skin folder. An empty name, "." or "..", or
// a name with a path separator (a hand-edited nomskin) designates none, so nothing is read
// outside the skin folder.
bool isSkinName(const QString& name);

// <application folder>/skin/<skin>/<picture>; empty when the skin name designates no skin.
QString skinPicturePath(const QString& appFolder, const QString& skinName, SkinPicture picture);

// The picture in the file, or nothing when there is no such file or it does not decode as a
// picture: the window then keeps the picture it has.
std::optional<QImage> loadSkinPicture(const QString& path);
std::optional<QImage> loadSkinPicture(const QString& appFolder, const QString& skinName, SkinPicture picture);

} // namespace chronolien
