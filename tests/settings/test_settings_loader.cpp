#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

const QDate kToday(2026, 12, 6);

} // namespace

class TestSettingsLoader : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    std::unique_ptr<SettingsFile> m_file;

    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("config.ini")); }
    Settings load()
    {
        Settings s;
        loadSettings(s, *m_file, m_folder->path(), kToday);
        return s;
    }
    // A file holding every key with its default, as a first start leaves it.
    void writeDefaults() { load(); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_file = std::make_unique<SettingsFile>(m_folder->file(QStringLiteral("config.ini")), m_messages);
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
        QCOMPARE(b.size(), 23 * 92);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(b.mid(i * 92, 92), settingsRecord(qint16(i + 1), rows[i].first, rows[i].second));
        QVERIFY(m_messages.shown.isEmpty());
    }

    void presentKeysAreReadAndNeverRewritten()
    {
        writeDefaults();
        // Wide desktops: places beyond 16 bits, on either side.
        m_file->writeKey(QStringLiteral("pos_x"), QStringLiteral("40000 twips"));
        m_file->writeKey(QStringLiteral("pos_y"), QStringLiteral("-40000"));
        m_file->writeKey(QStringLiteral("forfait"), QStringLiteral("0"));
        m_file->writeKey(QStringLiteral("alerte2"), QStringLiteral("-1"));
        m_file->writeKey(QStringLiteral("sons"), QStringLiteral("false"));
        m_file->writeKey(QStringLiteral("courrier"), QStringLiteral("True"));
        m_file->writeKey(QStringLiteral("cpt_mois"), QStringLiteral("2.5"));
        m_file->writeKey(QStringLiteral("date_raz"), QStringLiteral("1/11/2026"));
        m_file->writeKey(QStringLiteral("nomskin"), QStringLiteral("  bois"));
        const QByteArray before = bytes();

        const Settings s = load();
        QCOMPARE(bytes(), before);
        QCOMPARE(s.pos_x, 40000);
        QCOMPARE(s.pos_y, -40000);
        QCOMPARE(s.forfait, false);
        QCOMPARE(s.alerte2, true);
        QCOMPARE(s.sons, false);
        QCOMPARE(s.courrier, true);
        QCOMPARE(s.cpt_mois, 2);
        QCOMPARE(s.date_raz, QDate(2026, 11, 1));
        QCOMPARE(s.nomskin, QStringLiteral("  bois"));
    }

    void onlyTheMissingKeyIsAppended()
    {
        writeDefaults();
        const QByteArray full = bytes();
        m_folder->writeBytes(QStringLiteral("config.ini"), full.left(22 * 92));
        const Settings s = load();
        QCOMPARE(bytes(), full);
        QCOMPARE(s.connect_auto, false);
    }

    // A stored text that does not fit its field loads the default and the default is written back.
    void unreadableValuesTakeTheirDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("rewritten");
        QTest::newRow("blank skin") << "nomskin"
                                    << "   "
                                    << "jupiter";
        QTest::newRow("blank auto flags") << "affiche_auto"
                                          << " "
                                          << "01000";
        QTest::newRow("j_raz out of 16 bits") << "j_raz"
                                              << "70000"
                                              << "1";
        QTest::newRow("j_raz beyond the month") << "j_raz"
                                                << "45"
                                                << "1";
        QTest::newRow("boolean word unknown") << "alerte1"
                                              << "oui"
                                              << "Vrai";
        QTest::newRow("date unreadable") << "date_raz"
                                         << "31/02/2026"
                                         << "06/12/2026";
        QTest::newRow("cpt_mois beyond 32 bits") << "cpt_mois"
                                                 << "99999999999"
                                                 << "0";
    }
    void unreadableValuesTakeTheirDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, rewritten);
        writeDefaults();
        const int n = m_file->writeKey(key, stored);
        load();
        QCOMPARE(m_file->readKey(key), rewritten);
        QCOMPARE(m_file->findRecord(key), n);
        QCOMPARE(bytes().size(), 23 * 92);
    }

    void unwritableFolderLoadsDefaultsAndTellsTheUser()
    {
        SettingsFile lost(m_folder->file(QStringLiteral("gone/config.ini")), m_messages);
        Settings s;
        s.pos_x = 1;
        loadSettings(s, lost, m_folder->path(), kToday);
        QCOMPARE(s.pos_x, 5000);
        QCOMPARE(m_messages.shown.size(), 1); // one message for the 23 failed writes
    }

    void autoOpenPositions()
    {
        Settings s;
        s.affiche_auto = QStringLiteral("10010");
        QVERIFY(s.autoOpen(1));
        QVERIFY(!s.autoOpen(2));
        QVERIFY(s.autoOpen(4));
        QVERIFY(!s.autoOpen(6));
        s.affiche_auto = QStringLiteral("1");
        QVERIFY(!s.autoOpen(5));
    }

    void fileFromAnotherMachineReadsTheSame()
    {
        // Records as a Windows build writes them: French words and a Windows-1252 path.
        m_folder->writeBytes(QStringLiteral("config.ini"),
            settingsRecord(1, "forfait", "Faux")
                + settingsRecord(2, "son_mail", "C:\\Mes sons\\\xe9t\xe9.wav"));
        const Settings s = load();
        QCOMPARE(s.forfait, false);
        QCOMPARE(s.son_mail, QStringLiteral("C:\\Mes sons\\été.wav"));
        QCOMPARE(bytes().size(), 23 * 92);
    }
};

QTEST_GUILESS_MAIN(TestSettingsLoader)
#include "test_settings_loader.moc"
