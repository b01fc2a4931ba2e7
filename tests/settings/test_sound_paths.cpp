#include "effects/event_effects.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/sound_settings.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

// A sound chosen in an application folder whose path leaves no room in a 60-character value: what
// config.ini keeps, and the file played from it.
class TestSoundPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedAndPlayed_data()
    {
        // In the paths, {app} is the 70-character application folder and {base} the short
        // folder above it.
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored"); // before the cut to a value's 60 characters
        QTest::addColumn<QString>("played"); // empty: nothing is played
        const QString longName = QString(70, u'x') + QStringLiteral(".wav");
        QTest::newRow("a path that fits stays whole") << "{base}/court.wav"
                                                      << "{base}/court.wav"
                                                      << "{base}/court.wav";
        QTest::newRow("a long path in the folder is kept relative to it") << "{app}/sons/mail.wav"
                                                                          << "sons/mail.wav"
                                                                          << "{app}/sons/mail.wav";
        QTest::newRow("a relative path is read against the folder") << "sons/mail.wav"
                                                                    << "sons/mail.wav"
                                                                    << "{app}/sons/mail.wav";
        QTest::newRow("a long path elsewhere is cut and names nothing")
            << "{base}/" + longName << "{base}/" + longName << "";
        QTest::newRow("a folder that only begins like the application folder is elsewhere")
            << "{app}2/sons/mail.wav"
            << "{app}2/sons/mail.wav"
            << "";
    }
    void storedAndPlayed()
    {
        TempAppFolder base;
        const QString app = base.path() + u'/' + QString(69 - base.path().size(), u'a');
        QCOMPARE(app.size(), 70);
        const auto expand = [&](QString text) {
            return text.replace(QLatin1String("{app}"), app).replace(QLatin1String("{base}"), base.path());
        };
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(QString, played);
        QVERIFY(QDir().mkpath(app + QStringLiteral("/sons")));
        base.writeBytes(QStringLiteral("court.wav"), "RIFF");
        QFile::copy(base.file(QStringLiteral("court.wav")), app + QStringLiteral("/sons/mail.wav"));

        MessageBoxRecorder messages;
        SettingsFile file(app + QStringLiteral("/config.ini"), messages);
        Settings settings = Settings::defaults(app, QDate(2026, 1, 1));
        SettingsStore store(settings, file);
        storeSoundSetting(store, app, SoundEvent::Mail, false, expand(chosen));
        stored = expand(stored).left(SettingsFile::ValueSize);
        QCOMPARE(file.readKey(QStringLiteral("son_mail")), stored);
        QCOMPARE(settings.son_mail, stored);

        FakeSoundPlayer player;
        playSoundFile(true, player, app, settings.son_mail);
        QCOMPARE(player.played, played.isEmpty() ? QStringList() : QStringList { expand(played) });
    }
};

QTEST_GUILESS_MAIN(TestSoundPaths)
#include "test_sound_paths.moc"
