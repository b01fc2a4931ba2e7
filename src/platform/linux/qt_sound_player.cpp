#include "platform/linux/qt_sound_player.h"

#include <QSoundEffect>
#include <QUrl>

namespace chronolien {

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& wavPath)
{
    // A fresh effect per sound: setting a new source on a playing effect would let the old sound
    // run on, and a sound is meant to replace the one still playing.
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(wavPath));
    m_effect->play();
}

} // namespace chronolien
