#include "effects/event_effects.h"

#include "effects/logging.h"
#include "platform/process_starter.h"
#include "platform/sound_player.h"
#include "settings/command_list.h"
#include "settings/sound_settings.h"

#include <QFileInfo>

namespace chronolien {

void playSoundFile(bool sons, SoundPlayer& player, const QString& appFolder, const QString& setting)
{
    const QString file = soundFile(appFolder, setting);
    if (!sons || file.isEmpty())
        return;
    if (!QFileInfo(file).isFile()) {
        qCWarning(lcEffects).noquote() << "no sound played:" << file << "is no file";
        return;
    }
    player.play(file);
}

void runCommandList(const CommandList& list, ProcessStarter& processes)
{
    for (const QString& entry : list.entries) {
        if (!QFileInfo(entry).isFile())
            qCWarning(lcEffects).noquote() << "program not started:" << entry << "is no file";
        else if (!processes.startDetached(entry))
            qCWarning(lcEffects).noquote() << "program not started:" << entry << "did not start";
    }
}

} // namespace chronolien
