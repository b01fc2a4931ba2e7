#pragma once

#include "config_dialog/file_chooser.h"
#include "settings/sound_settings.h"

#include <optional>

namespace chronolien {

class MessageBox;

// The program chooser of command list 1 (connection) or 2 (disconnection).
FileChoice commandChoice(int list);
// The sound chooser of an event, starting in the application's sound folder.
FileChoice soundChoice(const QString& appFolder, SoundEvent event);

// The path of the program the user picks for a command list, or nothing when the user cancels.
// A path with a double quotation mark, which the list files cannot carry, is refused with a
// message.
std::optional<QString> chooseCommand(int list, FileChooser& chooser, MessageBox& messages);
// The path of the sound the user picks for an event, or nothing when the user cancels.
std::optional<QString> chooseSoundFile(const QString& appFolder, SoundEvent event, FileChooser& chooser);

} // namespace chronolien
