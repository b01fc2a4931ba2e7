#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/message_box_recorder.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestSettingsLoader : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    MessageBoxRecorder m_messages;
    std::unique_ptr<SettingsFile> m_file;

    QByteArray bytes() const { return m_folder->readBytes(QStringLiteral("config.ini")); }
    Settings load()
    {
        Settings s;
        loadSettings(s, *m_file, m_folder->path(), QDate(2026, 12, 6));
        return s;
    }

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

        const Settings s = load();
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
};

QTEST_GUILESS_MAIN(TestSettingsLoader)
#include "test_settings_loader.moc"
