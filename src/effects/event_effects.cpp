#include "effects/event_effects.h"

#include "platform/process_starter.h"
#include "platform/sound_player.h"
#include "settings/command_list.h"

#include <QFileInfo>

namespace chronolien {

void playSoundFile(bool sons, SoundPlayer& player, const QString& path)
{
    if (!sons || path.isEmpty() || !QFileInfo(path).isFile())
        return;
    player.play(path);
}

void runCommandList(const CommandList& list, ProcessStarter& processes)
{
    for (const QString& entry : list.entries) {
        if (QFileInfo(entry).isFile())
            processes.startDetached(entry);
    }
}

} // namespace chronolien
