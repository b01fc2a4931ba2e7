#include "platform/linux/qt_sound_player.h"

#include "platform/linux/module_symbol.h"
#include "platform/linux/sound_module.h"

namespace chronolien {

QtSoundPlayer::QtSoundPlayer(QString modulePath)
    : m_modulePath(std::move(modulePath))
{
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& wavPath)
{
    if (!m_loadTried) {
        m_loadTried = true;
        if (auto create = reinterpret_cast<SoundModuleFactory>(moduleSymbol(
                m_modulePath, SoundModuleFactoryName, "no sound can play: the sound module did not load:")))
            m_effects.reset(create());
    }
    if (m_effects)
        m_effects->play(wavPath);
}

} // namespace chronolien
