#include "settings/command_list.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/sound_settings.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace chronolien;
using namespace chronolien::test;

class TestCommandList : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;

    QString path(int list) const { return commandListPath(m_folder->path(), list); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_messages.shown.clear();
    }

    void missingFilesAreCreatedEmpty()
    {
        CommandList one, two;
        one.entries = QStringList { QStringLiteral("stale") };
        loadCommandList(one, path(1));
        loadCommandList(two, path(2));
        QVERIFY(one.entries.isEmpty());
        QVERIFY(m_folder->exists(QStringLiteral("even1.ini")));
        QVERIFY(m_folder->exists(QStringLiteral("even2.ini")));
        QCOMPARE(m_folder->readBytes(QStringLiteral("even2.ini")), QByteArray());
    }

    void savedFile_data()
    {
        QTest::addColumn<QStringList>("pageLines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("one entry") << QStringList { "/usr/bin/évènement" }
                                   << QByteArray("\"/usr/bin/\xe9v\xe8nement\"\r\n");
        QTest::newRow("empty") << QStringList() << QByteArray();
        QTest::newRow("paths the file cannot carry are dropped") << QStringList { "/ok", "/bad\"quote",
            "/bad\nline", "/ok2" } << QByteArray("\"/ok\"\r\n\"/ok2\"\r\n");
        QStringList twelve;
        QByteArray ten;
        for (int i = 1; i <= 12; ++i) {
            twelve.append(QStringLiteral("/opt/prog%1").arg(i));
            if (i <= 10)
                ten += "\"/opt/prog" + QByteArray::number(i) + "\"\r\n";
        }
        QTest::newRow("twelve lines keep the first ten") << twelve << ten;
    }
    // What the page commits is the file's exact bytes, and what the next start reads back.
    void savedFile()
    {
        QFETCH(QStringList, pageLines);
        m_folder->writeBytes(QStringLiteral("even1.ini"), "\"/old\"\r\n");
        CommandList list;
        commitCommandList(list, pageLines, path(1), m_messages);
        QTEST(m_folder->readBytes(QStringLiteral("even1.ini")), "bytes");
        CommandList back;
        loadCommandList(back, path(1));
        QCOMPARE(back.entries, list.entries);
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
        QByteArray fourteen;
        QStringList ten;
        for (int i = 1; i <= 14; ++i) {
            fourteen += "\"/p" + QByteArray::number(i) + "\"\r\n";
            if (i <= 10)
                ten.append(QStringLiteral("/p%1").arg(i));
        }
        QTest::newRow("loading stops at ten") << fourteen << ten;
    }
    void parsing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, entries);
        m_folder->writeBytes(QStringLiteral("even1.ini"), text);
        CommandList list;
        loadCommandList(list, path(1));
        QCOMPARE(list.entries, entries);
    }

    // A save cut short (a full disk; here a limit on file sizes) leaves the old list whole.
    void aFailedSaveKeepsTheOldList()
    {
        CommandList list;
        commitCommandList(
            list, { QStringLiteral("/bin/un"), QStringLiteral("/bin/deux") }, path(1), m_messages);
        const QByteArray before = m_folder->readBytes(QStringLiteral("even1.ini"));
        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit tiny { 8, limit.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        commitCommandList(list, { QStringLiteral("/bin/trois") }, path(1), m_messages);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(m_folder->readBytes(QStringLiteral("even1.ini")), before);
        QCOMPARE(m_messages.texts(),
            QStringList { QStringLiteral("Impossible d'écrire dans le fichier ") + path(1) });
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList { QStringLiteral("even1.ini") });
    }

    void somethingElseInTheListsPlace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("folder") << "folder";
    }
    // It reads as an empty list at once, and a save leaves it where it is and says so.
    void somethingElseInTheListsPlace()
    {
        QFETCH(QString, kind);
        QVERIFY(makeNonRegular(path(2), kind));
        CommandList list;
        list.entries = QStringList { QStringLiteral("/stale") };
        loadCommandList(list, path(2));
        QVERIFY(list.entries.isEmpty());
        list.entries = QStringList { QStringLiteral("/bin/true") };
        QVERIFY(!saveCommandList(list, path(2), m_messages));
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(!QFileInfo(path(2)).isFile());
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
