#pragma once

#include "platform/sound_player.h"

#include <memory>

namespace chronolien {

// Plays sounds with Qt Multimedia's QSoundEffect, which lives in a module of its own beside the
// executable (libchronolien_sound.so) and is loaded at the first sound: the multimedia libraries
// and the sound server's client weigh more at start than the rest of the program, and many runs
// play no sound at all. Without the module, or without an audio device, nothing plays and nothing
// is said, as for any sound that cannot play.
class QtSoundPlayer final : public SoundPlayer {
public:
    explicit QtSoundPlayer(QString modulePath);
    ~QtSoundPlayer() override;
    void play(const QString& wavPath) override;

    // Whether the first sound found the module (false before any sound).
    bool moduleLoaded() const { return m_effects != nullptr; }

private:
    QString m_modulePath;
    bool m_loadTried = false;
    std::unique_ptr<SoundPlayer> m_effects;
};

} // namespace chronolien
