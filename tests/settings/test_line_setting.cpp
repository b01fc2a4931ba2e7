#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// A config.ini in a fresh folder, started as a first start leaves it.
struct LineSettingRig {
    TempAppFolder folder;
    MessageBoxRecorder messages;
    SettingsFile file { folder.file(QStringLiteral("config.ini")), messages };
    Settings settings;
    SettingsStore store { settings, file };

    LineSettingRig() { load(); }
    void load() { store.load(folder.path(), QDate(2026, 12, 6)); }
    QByteArray bytes() const { return folder.readBytes(QStringLiteral("config.ini")); }
};

} // namespace

class TestLineSetting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Whatever "ligne" holds, loading never writes it: a file from before the choice existed stays
    // byte for byte the same, and a value that names no line reads as the dial-up line.
    void storedTextNamesTheLine_data()
    {
        QTest::addColumn<QByteArray>("stored"); // null: no record
        QTest::addColumn<QString>("connection"); // empty: the dial-up line
        QTest::newRow("absent") << QByteArray() << QString();
        QTest::newRow("dial-up") << QByteArray("pon") << QString();
        QTest::newRow("connection") << QByteArray("nm:ligne-test") << QStringLiteral("ligne-test");
        QTest::newRow("no name") << QByteArray("nm:") << QString();
        QTest::newRow("an interface") << QByteArray("ppp0") << QString();
    }
    void storedTextNamesTheLine()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, connection);
        LineSettingRig rig;
        QCOMPARE(rig.bytes().size(), 23 * SettingsFile::RecordSize);
        if (!stored.isNull())
            rig.folder.writeBytes(
                QStringLiteral("config.ini"), rig.bytes() + settingsRecord(24, "ligne", stored));
        const QByteArray before = rig.bytes();
        rig.settings.ligne = LineChoice { QStringLiteral("stale") };
        rig.load();
        QCOMPARE(rig.settings.ligne.networkManagerConnection, connection);
        QCOMPARE(rig.bytes(), before);
    }

    // The choice goes in a 24th record, rewritten in place when it changes.
    void choosingALineAppendsItsRecord()
    {
        LineSettingRig rig;
        const QByteArray designRecords = rig.bytes();
        rig.settings.ligne = LineChoice { QStringLiteral("Mobile") };
        rig.store.store(&Settings::ligne);
        QCOMPARE(rig.bytes(), designRecords + settingsRecord(24, "ligne", "nm:Mobile"));
        rig.settings.ligne = LineChoice {};
        rig.store.store(&Settings::ligne);
        QCOMPARE(rig.bytes(), designRecords + settingsRecord(24, "ligne", "pon"));

        // Stored again unchanged, as the ten-second save stores its keys, the file is not written.
        QFile file(rig.file.path());
        const QDateTime old = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();
        rig.store.store(&Settings::ligne);
        QCOMPARE(QFileInfo(rig.file.path()).lastModified(), old);

        // A store that failed is tried again by the next one, the same value or not.
        const QByteArray bytes = rig.bytes();
        QVERIFY(QFile::remove(rig.file.path()) && QDir().mkdir(rig.file.path()));
        rig.settings.ligne = LineChoice { QStringLiteral("VPN") };
        rig.store.store(&Settings::ligne);
        QCOMPARE(rig.messages.shown.size(), 1);
        QVERIFY(QDir().rmdir(rig.file.path()));
        rig.folder.writeBytes(QStringLiteral("config.ini"), bytes);
        rig.store.store(&Settings::ligne);
        QCOMPARE(rig.bytes(), designRecords + settingsRecord(24, "ligne", "nm:VPN"));
    }

    // canStore says exactly which names come back from config.ini as they went in.
    void storableNamesComeBackUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("ligne-test");
        QTest::newRow("57 characters") << QString(57, u'x');
        QTest::newRow("58 characters") << QString(58, u'x');
        QTest::newRow("Windows-1252 letters") << QStringLiteral("Clé 4G « Été »");
        QTest::newRow("Cyrillic") << QStringLiteral("Мобильный");
        QTest::newRow("trailing space") << QStringLiteral("VPN ");
        QTest::newRow("leading space") << QStringLiteral(" VPN");
    }
    void storableNamesComeBackUnchanged()
    {
        QFETCH(QString, name);
        LineSettingRig rig;
        rig.settings.ligne = LineChoice { name };
        rig.store.store(&Settings::ligne);
        rig.load();
        QCOMPARE(LineChoice::canStore(name), rig.settings.ligne.networkManagerConnection == name);
    }
};

QTEST_GUILESS_MAIN(TestLineSetting)
#include "test_line_setting.moc"
