#include "settings/sound_settings.h"

#include "settings/settings.h"
#include "settings/settings_file.h"

#include <QDir>

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

QString storedSoundPath(const QString& appFolder, const QString& path)
{
    if (path.size() > SettingsFile::ValueSize && path.startsWith(appFolder + u'/'))
        return path.mid(appFolder.size() + 1).left(SettingsFile::ValueSize);
    return path.left(SettingsFile::ValueSize);
}

QString soundFile(const QString& appFolder, const QString& setting)
{
    if (setting.isEmpty() || setting == QLatin1String(kNoSound))
        return {};
    return QDir::isRelativePath(setting) ? appFolder + u'/' + setting : setting;
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

void storeSoundSetting(
    SettingsStore& settings, const QString& appFolder, SoundEvent event, bool noSound, const QString& path)
{
    QString Settings::*field = soundField(event);
    settings.settings().*field = noSound ? QString::fromLatin1(kNoSound) : storedSoundPath(appFolder, path);
    settings.store(field);
}

} // namespace chronolien
