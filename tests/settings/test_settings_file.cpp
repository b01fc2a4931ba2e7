#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

// config.ini: its records, what other programs or a crash leave in it, and the settings loaded
// from it and stored in it.
class TestSettingsFile : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    std::unique_ptr<SettingsFile> m_file;
    Settings m_settings;
    std::unique_ptr<SettingsStore> m_store;

    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("config.ini")); }
    const Settings& load()
    {
        m_store->load(m_folder->path(), QDate(2026, 12, 6));
        return m_settings;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        QVERIFY(m_folder->isValid());
        m_messages.shown.clear();
        m_file = std::make_unique<SettingsFile>(m_folder->file(QStringLiteral("config.ini")), m_messages);
        m_settings = {};
        m_store = std::make_unique<SettingsStore>(m_settings, *m_file);
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

    // A first start's config.ini record by record: the keys in load order, the defaults' texts.
    void firstStartWritesTheTwentyThreeDefaultsInOrder()
    {
        const QByteArray sounds = m_folder->path().toLatin1() + "/sons/";
        const QList<std::pair<QByteArray, QByteArray>> rows { { "forfait", "Vrai" }, { "pos_x", "5000" },
            { "pos_y", "500" }, { "affiche_cpt", "Vrai" }, { "pos_compteur", "Faux" }, { "pos_mail", "Vrai" },
            { "cpt_mois", "0" }, { "cpt_limite", "107400" }, { "nomskin", "jupiter" },
            { "affiche_auto", "01000" }, { "alerte1", "Vrai" }, { "alerte2", "Faux" }, { "j_raz", "1" },
            { "date_raz", "06/12/2026" }, { "affiche_actu", "Vrai" }, { "pos_mem", "Vrai" },
            { "affiche_rebours", "Vrai" }, { "sons", "Vrai" }, { "son_connect", sounds + "connect.wav" },
            { "son_deconnect", sounds + "deconnect.wav" }, { "son_mail", sounds + "mail.wav" },
            { "courrier", "Faux" }, { "connect_auto", "Faux" } };
        load();
        const QByteArray b = bytes();
        QCOMPARE(b.size(), 23 * SettingsFile::RecordSize);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(b.mid(i * 92, 92), settingsRecord(qint16(i + 1), rows[i].first, rows[i].second));
        QVERIFY(m_messages.shown.isEmpty());
    }

    // The keys present are read as they stand, a Windows build's records included, and never
    // rewritten; the one missing is appended with its default.
    void presentKeysAreReadAndNeverRewrittenAMissingOneAppended()
    {
        load();
        // Wide desktops' places beyond 16 bits; the auto-open positions left out are off.
        const QList<std::pair<const char*, const char*>> stored { { "pos_x", "40000 twips" },
            { "pos_y", "-40000" }, { "forfait", "0" }, { "alerte2", "-1" }, { "courrier", "True" },
            { "cpt_mois", "2.5" }, { "date_raz", "1/11/2026" }, { "nomskin", "  bois" },
            { "affiche_auto", "1" } };
        for (const auto& [key, text] : stored)
            m_file->writeKey(QString::fromLatin1(key), text);
        QByteArray before = bytes().left(22 * 92);
        before.replace(20 * 92, 92, settingsRecord(21, "son_mail", "C:\\Mes sons\\\xe9t\xe9.wav"));
        m_folder->writeBytes(QStringLiteral("config.ini"), before);

        const Settings& s = load();
        QCOMPARE(bytes(), before + settingsRecord(23, "connect_auto", "Faux"));
        QCOMPARE(s.pos_x, 40000);
        QCOMPARE(s.pos_y, -40000);
        QCOMPARE(s.forfait, false);
        QCOMPARE(s.alerte2, true);
        QCOMPARE(s.courrier, true);
        QCOMPARE(s.cpt_mois, 2);
        QCOMPARE(s.date_raz, QDate(2026, 11, 1));
        QCOMPARE(s.nomskin, QStringLiteral("  bois"));
        QCOMPARE(s.son_mail, QStringLiteral("C:\\Mes sons\\été.wav"));
        QVERIFY(s.autoOpen(1) && !s.autoOpen(3));
    }

    void unreadableValuesTakeTheirDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("rewritten");
        const auto row = [](const char* name, const char* key, const char* stored, const char* rewritten) {
            QTest::newRow(name) << QString::fromLatin1(key) << QString::fromLatin1(stored)
                                << QString::fromLatin1(rewritten);
        };
        row("blank skin", "nomskin", "   ", "jupiter");
        row("blank auto flags", "affiche_auto", " ", "01000");
        row("j_raz beyond the month", "j_raz", "45", "1");
        row("boolean word unknown", "alerte1", "oui", "Vrai");
        row("date unreadable", "date_raz", "31/02/2026", "06/12/2026");
        row("cpt_mois beyond 32 bits", "cpt_mois", "99999999999", "0");
    }
    // A stored text that does not fit its field loads the default, written back in its record.
    void unreadableValuesTakeTheirDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        load();
        const int n = m_file->writeKey(key, stored);
        load();
        QTEST(m_file->readKey(key), "rewritten");
        QCOMPARE(m_file->findRecord(key), n);
        QCOMPARE(bytes().size(), 23 * 92);
    }

    // Whatever "ligne" holds, loading never writes it: a file from before the choice existed stays
    // byte for byte the same, and a value that names no line reads as the dial-up line.
    void lineRecordIsReadNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("stored"); // null: no record
        QTest::addColumn<QString>("connection"); // empty: the dial-up line
        QTest::newRow("absent") << QByteArray() << QString();
        for (const char* text : { "pon", "nm:", "ppp0" })
            QTest::newRow(text) << QByteArray(text) << QString();
        QTest::newRow("nm:ligne-test") << QByteArray("nm:ligne-test") << QStringLiteral("ligne-test");
    }
    void lineRecordIsReadNeverWritten()
    {
        QFETCH(QByteArray, stored);
        load();
        if (!stored.isNull())
            m_folder->writeBytes(QStringLiteral("config.ini"), bytes() + settingsRecord(24, "ligne", stored));
        const QByteArray before = bytes();
        m_settings.ligne = LineChoice { QStringLiteral("stale") };
        QTEST(load().ligne.networkManagerConnection, "connection");
        QCOMPARE(bytes(), before);
    }

    // The choice goes in a 24th record, rewritten in place when it changes; stored again unchanged,
    // as the ten-second save stores its keys, the file is not written; a store that failed is tried
    // again by the next one.
    void choosingALineAppendsItsRecord()
    {
        load();
        const QByteArray designRecords = bytes();
        for (const char* name : { "Mobile", "" }) {
            m_settings.ligne = LineChoice { QString::fromLatin1(name) };
            m_store->store(&Settings::ligne);
            QCOMPARE(bytes(), designRecords + settingsRecord(24, "ligne", *name ? "nm:Mobile" : "pon"));
        }
        QFile file(m_file->path());
        const QDateTime old = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.setFileTime(old, QFileDevice::FileModificationTime));
        m_store->store(&Settings::ligne);
        QCOMPARE(QFileInfo(m_file->path()).lastModified(), old);

        QVERIFY(QFile::remove(m_file->path()) && QDir().mkdir(m_file->path()));
        m_settings.ligne = LineChoice { QStringLiteral("VPN") };
        m_store->store(&Settings::ligne);
        QVERIFY(QDir().rmdir(m_file->path()));
        m_folder->writeBytes(QStringLiteral("config.ini"), designRecords);
        m_store->store(&Settings::ligne);
        QCOMPARE(bytes(), designRecords + settingsRecord(24, "ligne", "nm:VPN"));
        QCOMPARE(m_messages.shown.size(), 1);
    }

    // canStore says exactly which names come back from config.ini as they went in.
    void storableNamesComeBackUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : { QString(57, u'x'), QString(58, u'x'), QStringLiteral("Clé 4G « Été »"),
                 QStringLiteral("Мобильный"), QStringLiteral("VPN ") })
            QTest::newRow(qPrintable(name)) << name;
    }
    void storableNamesComeBackUnchanged()
    {
        QFETCH(QString, name);
        m_settings.ligne = LineChoice { name };
        m_store->store(&Settings::ligne);
        QCOMPARE(LineChoice::canStore(name), load().ligne.networkManagerConnection == name);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
