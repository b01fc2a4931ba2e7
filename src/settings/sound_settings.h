#pragma once

#include <QString>

namespace chronolien {

class SettingsStore;
struct Settings;

// The three events that have a sound of their own.
enum class SoundEvent { Connect = 1, Disconnect = 2, Mail = 3 };

// The value of a sound setting meaning "no sound for this event".
inline constexpr char kNoSound[] = "0";

// The application folder followed by the event's default sound file.
QString defaultSoundPath(const QString& appFolder, SoundEvent event);
// The event's field of the settings: son_connect, son_deconnect or son_mail.
QString Settings::*soundField(SoundEvent event);

// Stores the event's sound: "0" when the no-sound box is ticked, else the path as typed or chosen.
// The field takes what config.ini keeps, that is at most 60 characters.
void storeSoundSetting(SettingsStore& settings, SoundEvent event, bool noSound, const QString& path);

} // namespace chronolien
