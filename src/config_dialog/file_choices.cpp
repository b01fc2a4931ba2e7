#include "config_dialog/file_choices.h"

#include "platform/message_box.h"
#include "settings/command_list.h"

namespace chronolien {

FileChoice commandChoice(int list)
{
    FileChoice choice;
    choice.title = list == 2 ? QStringLiteral("Choix de l'application : Déconnection")
                             : QStringLiteral("Choix de l'application : Connection");
    // Programs on this system carry no extension: the wording stays, every file is listed, and no
    // extension is added to a typed name.
    choice.filter = QStringLiteral("Fichier executable (*.exe,*.bat,*.com,*.cmd) (*)");
    choice.initialFolder = QStringLiteral("/usr/bin");
    return choice;
}

FileChoice soundChoice(const QString& appFolder, SoundEvent event)
{
    FileChoice choice;
    switch (event) {
    case SoundEvent::Connect:
        choice.title = QStringLiteral("Choix du fichier son : CONNECTION");
        break;
    case SoundEvent::Disconnect:
        choice.title = QStringLiteral("Choix du fichier son : DECONNECTION");
        break;
    case SoundEvent::Mail:
        choice.title = QStringLiteral("Choix du fichier son : COURRIER");
        break;
    }
    choice.filter = QStringLiteral("Fichier son (*.wav)");
    choice.defaultSuffix = QStringLiteral("wav");
    choice.initialFolder = appFolder + QStringLiteral("/sons");
    return choice;
}

std::optional<QString> chooseCommand(int list, FileChooser& chooser, MessageBox& messages)
{
    const QString path = chooser.getOpenFileName(commandChoice(list));
    if (path.isEmpty())
        return std::nullopt;
    if (!canStoreCommand(path)) {
        messages.show(
            QStringLiteral(
                "Le chemin de ce programme contient un guillemet (\") ou un retour à la ligne : il ne "
                "peut pas être enregistré. Renommez le fichier ou choisissez-en un autre."),
            StyleWarning);
        return std::nullopt;
    }
    return path;
}

std::optional<QString> chooseSoundFile(const QString& appFolder, SoundEvent event, FileChooser& chooser)
{
    const QString path = chooser.getOpenFileName(soundChoice(appFolder, event));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace chronolien
