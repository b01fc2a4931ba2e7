#include "settings/settings_file.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestSettingsFile : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    std::unique_ptr<SettingsFile> m_file;

    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("config.ini")); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        QVERIFY(m_folder->isValid());
        m_messages.shown.clear();
        m_file = std::make_unique<SettingsFile>(m_folder->file(QStringLiteral("config.ini")), m_messages);
    }

    // A missing file is made, empty. A record is its number, its key cut at 30 and its value in
    // Windows-1252 cut at 60, both padded with spaces: trailing spaces are not kept. A key written
    // again keeps its record, a new one is appended.
    void recordsAreRewrittenInPlaceOrAppended()
    {
        QCOMPARE(m_file->readKey(QStringLiteral("pos_x")), QString());
        QVERIFY(m_folder->exists(QStringLiteral("config.ini")));
        QCOMPARE(bytes(), QByteArray());
        const QString longKey = QString(30, u'k') + u'Z';
        QCOMPARE(m_file->writeKey(QStringLiteral("forfait"), true), 1);
        QCOMPARE(m_file->writeKey(QStringLiteral("nomskin"), QStringLiteral("  été  ")), 2);
        QCOMPARE(m_file->writeKey(QStringLiteral("pos_x"), 5000), 3);
        QCOMPARE(m_file->writeKey(QStringLiteral("pos_x"), QString(61, u'v')), 3);
        QCOMPARE(m_file->writeKey(longKey, QStringLiteral("first")), 4);
        QCOMPARE(m_file->writeKey(longKey, QStringLiteral("     ")), 4);
        QCOMPARE(bytes(),
            settingsRecord(1, "forfait", "Vrai") + settingsRecord(2, "nomskin", "  \xe9t\xe9")
                + settingsRecord(3, "pos_x", QByteArray(60, 'v'))
                + settingsRecord(4, QByteArray(30, 'k'), ""));
        QCOMPARE(m_file->readKey(QStringLiteral("nomskin")), QStringLiteral("  été"));
        QCOMPARE(m_file->readKey(longKey), QString());
    }

    void foreignRecords_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // read before the write
        QTest::addColumn<int>("record"); // found, then written
        const QByteArray two = settingsRecord(1, "cpt_mois", "100") + settingsRecord(2, "pos_x", "1");
        const QByteArray old = settingsRecord(1, "  old_pos_x_key", "7");
        const auto row
            = [](const char* name, const QByteArray& file, const char* key, const char* value, int n) {
                  QTest::newRow(name) << file << QString::fromLatin1(key) << QString::fromLatin1(value) << n;
              };
        row("the last match wins", two + settingsRecord(3, "cpt_mois", "200"), "cpt_mois", "200", 3);
        row("a key within the key field", old, "pos_x", "7", 1);
        row("in its own case only", old, "POS_X", "", 2);
        row("a record numbered 0 is empty", settingsRecord(0, "pos_x", "5000"), "pos_x", "", 1);
        // A crash during an append left 40 bytes of a third record.
        row("a partial record at the end", two + QByteArray(40, 'x'), "pos_y", "", 3);
    }
    // Records as other programs or a crash leave them: what is read and where a write goes; the
    // records before it stay as they were.
    void foreignRecords()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(int, record);
        m_folder->writeBytes(QStringLiteral("config.ini"), file);
        QTEST(m_file->readKey(key), "value");
        QCOMPARE(m_file->findRecord(key), record);
        QCOMPARE(m_file->writeKey(key, 42), record);
        QCOMPARE(m_file->readKey(key), QStringLiteral("42"));
        QCOMPARE(bytes().left((record - 1) * 92), file.left((record - 1) * 92));
        QCOMPARE(bytes().size(), qMax(file.size() / 92, qsizetype(record)) * 92);
    }

    void somethingElseInTheFilesPlace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
    }
    // It holds no key, is read at once (a pipe nobody writes into never ends an open(), a device
    // never ends a read), and is never written: the user is told.
    void somethingElseInTheFilesPlace()
    {
        QFETCH(QString, kind);
        QString path = QStringLiteral("/dev/zero");
        if (kind != u"device") {
            path = m_folder->file(QStringLiteral("config.ini"));
            QVERIFY(makeNonRegular(path, kind));
        }
        SettingsFile other(path, m_messages);
        QCOMPARE(other.findRecord(QStringLiteral("pos_x")), 1);
        QCOMPARE(other.readKey(QStringLiteral("pos_x")), QString());
        other.writeKey(QStringLiteral("pos_x"), 1);
        QCOMPARE(m_messages.texts(), QStringList { "Impossible d'écrire dans le fichier " + path });
        QVERIFY(!QFileInfo(path).isFile());
    }

    // A file that stays unwritable is told once, however many writes fail (the loader's, the
    // ten-second save's), and again only after a write has gone through in between.
    void aLastingFailureIsToldOnce()
    {
        // Works as root too: the folder the file should live in does not exist.
        const QString folder = m_folder->file(QStringLiteral("missing"));
        SettingsFile lost(folder + QStringLiteral("/config.ini"), m_messages);
        QCOMPARE(lost.readKey(QStringLiteral("pos_x")), QString());
        for (int k = 0; k < 21; ++k)
            lost.writeKey(QStringLiteral("pos_x"), k);
        QCOMPARE(m_messages.shown.size(), 1);
        QCOMPARE(m_messages.shown[0].style, StyleCritical);
        QVERIFY(m_messages.shown[0].text.endsWith(QStringLiteral("missing/config.ini")));
        QVERIFY(QDir().mkpath(folder));
        lost.writeKey(QStringLiteral("pos_x"), 1);
        QVERIFY(QDir(folder).removeRecursively());
        lost.writeKey(QStringLiteral("pos_x"), 2);
        lost.writeKey(QStringLiteral("pos_x"), 3);
        QCOMPARE(m_messages.shown.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
