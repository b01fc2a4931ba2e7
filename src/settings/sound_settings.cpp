#include "settings/sound_settings.h"

#include "settings/settings.h"
#include "settings/settings_file.h"

namespace chronolien {

QString defaultSoundPath(const QString& appFolder, SoundEvent event)
{
    switch (event) {
    case SoundEvent::Connect:
        return appFolder + QStringLiteral("/sons/connect.wav");
    case SoundEvent::Disconnect:
        return appFolder + QStringLiteral("/sons/deconnect.wav");
    case SoundEvent::Mail:
        break;
    }
    return appFolder + QStringLiteral("/sons/mail.wav");
}

QString Settings::*soundField(SoundEvent event)
{
    switch (event) {
    case SoundEvent::Connect:
        return &Settings::son_connect;
    case SoundEvent::Disconnect:
        return &Settings::son_deconnect;
    case SoundEvent::Mail:
        break;
    }
    return &Settings::son_mail;
}

void storeSoundSetting(SettingsStore& settings, SoundEvent event, bool noSound, const QString& path)
{
    QString Settings::*field = soundField(event);
    settings.settings().*field = noSound ? QString::fromLatin1(kNoSound) : path.left(SettingsFile::ValueSize);
    settings.store(field);
}

} // namespace chronolien
