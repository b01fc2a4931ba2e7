#pragma once

namespace chronolien {

class SoundPlayer;

// The one symbol of the sound module: a new player that the caller owns.
using SoundModuleFactory = SoundPlayer* (*)();
inline constexpr char SoundModuleFactoryName[] = "chronolien_sound_player";

} // namespace chronolien
