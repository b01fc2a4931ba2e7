// The sound module, libchronolien_sound.so: the only part of the program that links Qt Multimedia.
#include "platform/linux/sound_module.h"
#include "platform/sound_player.h"

#include <QSoundEffect>
#include <QUrl>
#include <memory>

namespace chronolien {

namespace {

class SoundEffectPlayer final : public SoundPlayer {
public:
    void play(const QString& wavPath) override
    {
        // A fresh effect per sound: setting a new source on a playing effect would let the old
        // sound run on, and a sound is meant to replace the one still playing.
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(wavPath));
        m_effect->play();
    }

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace

} // namespace chronolien

extern "C" Q_DECL_EXPORT chronolien::SoundPlayer* chronolien_sound_player()
{
    return new chronolien::SoundEffectPlayer;
}
