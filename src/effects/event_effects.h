#pragma once

#include <QString>

namespace chronolien {

class ProcessStarter;
class SoundPlayer;
struct CommandList;

// Plays the file a sound setting names (soundFile: a relative path is read against the application
// folder) when sounds are on and the file exists; "0", the value meaning "no sound for this
// event", names no file and plays nothing.
void playSoundFile(bool sons, SoundPlayer& player, const QString& appFolder, const QString& setting);

// Starts each program of the list whose entry names an existing file, in order, without waiting;
// an entry that names nothing (arguments after the path included) is skipped.
void runCommandList(const CommandList& list, ProcessStarter& processes);

} // namespace chronolien
