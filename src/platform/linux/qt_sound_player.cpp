#include "platform/linux/qt_sound_player.h"

#include "platform/linux/sound_module.h"
#include "platform/logging.h"

#include <QLibrary>

namespace chronolien {

QtSoundPlayer::QtSoundPlayer(QString modulePath)
    : m_modulePath(std::move(modulePath))
{
}

// The module stays loaded to the end of the process: the player it made runs its code until then.
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& wavPath)
{
    if (!m_loadTried) {
        m_loadTried = true;
        QLibrary module(m_modulePath);
        if (auto create = reinterpret_cast<SoundModuleFactory>(module.resolve(SoundModuleFactoryName)))
            m_effects.reset(create());
        else
            qCWarning(lcPlatform).noquote()
                << "no sound can play: the sound module did not load:" << module.errorString();
    }
    if (m_effects)
        m_effects->play(wavPath);
}

} // namespace chronolien
