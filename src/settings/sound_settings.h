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

// The form config.ini keeps a sound path in, at most a value's 60 characters: the path itself
// when it fits, so that files written elsewhere stay as they are; a longer path inside the
// application folder relative to that folder ("sons/connect.wav"), since an installed copy's
// folder is often too long for its own sounds; any other path cut to 60 characters.
QString storedSoundPath(const QString& appFolder, const QString& path);

// The file a sound setting names, for playing it: a relative path is read against the
// application folder. Empty for "0" (no sound) and for an empty setting.
QString soundFile(const QString& appFolder, const QString& setting);
// The event's field of the settings: son_connect, son_deconnect or son_mail.
QString Settings::*soundField(SoundEvent event);

// Stores the event's sound: "0" when the no-sound box is ticked, else the path as typed or chosen
// in its stored form (storedSoundPath), which the field takes too.
void storeSoundSetting(
    SettingsStore& settings, const QString& appFolder, SoundEvent event, bool noSound, const QString& path);

} // namespace chronolien
