#include "settings/command_list.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/sound_settings.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestCommandList : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;

    QString path(int list) const { return commandListPath(m_folder->path(), list); }

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempAppFolder>(); }

    void missingFilesAreCreatedEmpty()
    {
        CommandList one, two;
        one.entries = QStringList { QStringLiteral("stale") };
        loadCommandList(one, path(1), m_messages);
        loadCommandList(two, path(2), m_messages);
        QVERIFY(one.entries.isEmpty());
        QVERIFY(m_folder->exists(QStringLiteral("even1.ini")));
        QVERIFY(m_folder->exists(QStringLiteral("even2.ini")));
        QCOMPARE(m_folder->readBytes(QStringLiteral("even2.ini")), QByteArray());
    }

    void oneEntryIsOneQuotedLine()
    {
        CommandList list;
        commitCommandList(list, { QStringLiteral("/usr/bin/évènement") }, path(1), m_messages);
        QCOMPARE(
            m_folder->readBytes(QStringLiteral("even1.ini")), QByteArray("\"/usr/bin/\xe9v\xe8nement\"\r\n"));
        CommandList back;
        loadCommandList(back, path(1), m_messages);
        QCOMPARE(back.entries, QStringList { QStringLiteral("/usr/bin/évènement") });
    }

    void twelveLinesKeepTheFirstTen()
    {
        QStringList lines;
        for (int i = 1; i <= 12; ++i)
            lines.append(QStringLiteral("/opt/prog%1").arg(i));
        CommandList list;
        commitCommandList(list, lines, path(2), m_messages);
        QCOMPARE(list.entries, lines.mid(0, 10));
        QCOMPARE(m_folder->readBytes(QStringLiteral("even2.ini")).count("\r\n"), 10);
        CommandList back;
        loadCommandList(back, path(2), m_messages);
        QCOMPARE(back.entries, lines.mid(0, 10));
    }

    void loadingStopsAtTen()
    {
        QByteArray text;
        for (int i = 1; i <= 14; ++i)
            text += "\"/p" + QByteArray::number(i) + "\"\r\n";
        m_folder->writeBytes(QStringLiteral("even1.ini"), text);
        CommandList list;
        loadCommandList(list, path(1), m_messages);
        QCOMPARE(list.entries.size(), 10);
        QCOMPARE(list.entries.last(), QStringLiteral("/p10"));
    }

    void emptyListSavesAnEmptyFile()
    {
        m_folder->writeBytes(QStringLiteral("even1.ini"), "\"/old\"\r\n");
        CommandList list;
        commitCommandList(list, {}, path(1), m_messages);
        QCOMPARE(m_folder->readBytes(QStringLiteral("even1.ini")), QByteArray());
    }

    void parsing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("quoted with commas") << QByteArray("\"/a,b/c\"\r\n") << QStringList { "/a,b/c" };
        QTest::newRow("unquoted split at commas")
            << QByteArray("/x,/y , /z\r\n") << QStringList { "/x", "/y", "/z" };
        QTest::newRow("two quoted on a line")
            << QByteArray("\"/a\",\"/b\"\r\n") << QStringList { "/a", "/b" };
        QTest::newRow("LF line ends") << QByteArray("\"/a\"\n\"/b\"\n") << QStringList { "/a", "/b" };
        QTest::newRow("no final line end") << QByteArray("\"/a\"") << QStringList { "/a" };
        QTest::newRow("blank lines skipped") << QByteArray("\r\n\"/a\"\r\n\r\n") << QStringList { "/a" };
        QTest::newRow("unclosed quote") << QByteArray("\"/a b") << QStringList { "/a b" };
        QTest::newRow("spaces before quote") << QByteArray("   \"/a\"\r\n") << QStringList { "/a" };
    }
    void parsing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, entries);
        m_folder->writeBytes(QStringLiteral("even1.ini"), text);
        CommandList list;
        loadCommandList(list, path(1), m_messages);
        QCOMPARE(list.entries, entries);
    }

    void pathsWithQuotesAreNeverWritten()
    {
        QVERIFY(!canStoreCommand(QStringLiteral("/tmp/a\"b")));
        QVERIFY(!canStoreCommand(QStringLiteral("/tmp/a\nb")));
        QVERIFY(canStoreCommand(QStringLiteral("/tmp/a b,c")));
        CommandList list;
        commitCommandList(list,
            { QStringLiteral("/ok"), QStringLiteral("/bad\"quote"), QStringLiteral("/ok2") }, path(1),
            m_messages);
        QCOMPARE(m_folder->readBytes(QStringLiteral("even1.ini")), QByteArray("\"/ok\"\r\n\"/ok2\"\r\n"));
    }

    void unwritableListTellsTheUser()
    {
        CommandList list;
        const QString lost = m_folder->file(QStringLiteral("gone/even1.ini"));
        QVERIFY(!saveCommandList(list, lost, m_messages));
        QCOMPARE(m_messages.texts(),
            QStringList { QStringLiteral("Impossible d'écrire dans le fichier ") + lost });
    }

    void soundSettings()
    {
        SettingsFile file(m_folder->file(QStringLiteral("config.ini")), m_messages);
        Settings s = Settings::defaults(m_folder->path(), QDate(2026, 1, 1));
        SettingsStore store(s, file);
        QCOMPARE(defaultSoundPath(QStringLiteral("/app"), SoundEvent::Disconnect),
            QStringLiteral("/app/sons/deconnect.wav"));

        storeSoundSetting(store, m_folder->path(), SoundEvent::Mail, true, QStringLiteral("/whatever.wav"));
        QCOMPARE(s.son_mail, QStringLiteral("0"));
        QCOMPARE(file.readKey(QStringLiteral("son_mail")), QStringLiteral("0"));

        storeSoundSetting(store, m_folder->path(), SoundEvent::Mail, false, QStringLiteral("/snd/mail.wav"));
        QCOMPARE(file.readKey(QStringLiteral("son_mail")), QStringLiteral("/snd/mail.wav"));

        const QString longPath = QStringLiteral("/") + QString(70, u'x') + QStringLiteral(".wav");
        storeSoundSetting(store, m_folder->path(), SoundEvent::Connect, false, longPath);
        QCOMPARE(file.readKey(QStringLiteral("son_connect")), longPath.left(60));
        QCOMPARE(s.son_connect, longPath.left(60));
        QCOMPARE(s.son_deconnect, defaultSoundPath(m_folder->path(), SoundEvent::Disconnect).left(60));
    }
};

QTEST_GUILESS_MAIN(TestCommandList)
#include "test_command_list.moc"
