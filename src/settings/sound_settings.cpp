#include "settings/sound_settings.h"

#include "settings/settings.h"
#include "settings/settings_file.h"

namespace chronolien {

QString DefaultSoundPath(const QString& appFolder, SoundEvent event)
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

QString soundKey(SoundEvent event)
{
    switch (event) {
    case SoundEvent::Connect:
        return QStringLiteral("son_connect");
    case SoundEvent::Disconnect:
        return QStringLiteral("son_deconnect");
    case SoundEvent::Mail:
        break;
    }
    return QStringLiteral("son_mail");
}

QString& soundField(Settings& settings, SoundEvent event)
{
    switch (event) {
    case SoundEvent::Connect:
        return settings.son_connect;
    case SoundEvent::Disconnect:
        return settings.son_deconnect;
    case SoundEvent::Mail:
        break;
    }
    return settings.son_mail;
}

void StoreSoundSetting(
    Settings& settings, SettingsFile& file, SoundEvent event, bool noSound, const QString& path)
{
    QString& field = soundField(settings, event);
    field = noSound ? QString::fromLatin1(kNoSound) : path.left(SettingsFile::ValueSize);
    file.WriteKey(soundKey(event), field);
}

} // namespace chronolien
