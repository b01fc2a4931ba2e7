#pragma once

#include "platform/sound_player.h"

#include <QStringList>

namespace chronolien::test {

class FakeSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& wavPath) override { played.append(wavPath); }
    QStringList played;
};

} // namespace chronolien::test
