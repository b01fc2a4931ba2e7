#pragma once

#include "platform/sound_player.h"

#include <memory>

class QSoundEffect;

namespace chronolien {

class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString& wavPath) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace chronolien
