#include "skins/skin_page.h"

#include "platform/message_box.h"
#include "settings/settings.h"
#include "skins/skin_files.h"

#include <QDir>
#include <QFileInfo>

namespace chronolien {

std::optional<QStringList> listSkins(const QString& appFolder, MessageBox& messages)
{
    const QFileInfo folder(skinFolder(appFolder));
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable()) {
        messages.show(QStringLiteral("Erreur de listage des skins."), StyleCritical);
        return std::nullopt;
    }
    // Without QDir::Hidden and QDir::System, dot entries, sockets, devices and dangling links
    // stay out; plain files are listed beside the folders. Sorted by name, so that the entry the
    // page selects first is the same from one opening to the next.
    return QDir(folder.filePath())
        .entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

SkinPreview previewSkin(const QString& appFolder, const QString& entry)
{
    SkinPreview preview;
    preview.centre = loadSkinPicture(appFolder, entry, SkinPicture::CentreConnected);
    preview.counter = loadSkinPicture(appFolder, entry, SkinPicture::Counter);
    return preview;
}

bool chooseSkin(SettingsStore& settings, const QString& appFolder, const QString& entry)
{
    if (!previewSkin(appFolder, entry).canChoose())
        return false;
    settings.settings().nomskin = entry;
    settings.store(&Settings::nomskin);
    return true;
}

} // namespace chronolien
