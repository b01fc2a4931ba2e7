#pragma once

#include <QString>

namespace chronolien {

// Plays a .wav file asynchronously: the call returns at once, a new sound replaces one still playing,
// and a missing audio device fails silently.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavPath) = 0;
};

} // namespace chronolien
