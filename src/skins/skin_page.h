#pragma once

#include <QImage>
#include <QStringList>
#include <optional>

namespace chronolien {

class MessageBox;
class SettingsStore;

// The names in the skin folder, folders and plain files alike, in the order the file system gives
// them, hidden entries left out. When the skin folder cannot be listed the user is told
// "Erreur de listage des skins." and nothing is returned: the skin page is not shown.
std::optional<QStringList> listSkins(const QString& appFolder, MessageBox& messages);

// What the skin page shows for one entry of its list: the floating window (centre.jpg) and the
// counter window (compteur.jpg). A missing or unreadable picture is hidden, and then the skin
// cannot be chosen ("Valider" is hidden with it).
struct SkinPreview {
    std::optional<QImage> centre;
    std::optional<QImage> counter;
    bool canChoose() const { return centre.has_value() && counter.has_value(); }
};
SkinPreview previewSkin(const QString& appFolder, const QString& entry);

// Makes the entry the skin in use: nomskin is set and stored. Refuses, storing nothing, an entry
// that the preview would not let the user choose. The caller then reloads the pictures of the
// floating, counter and mail windows, shown or not.
bool chooseSkin(SettingsStore& settings, const QString& appFolder, const QString& entry);

} // namespace chronolien
