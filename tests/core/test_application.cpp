#include "core_rig.h"

#include "settings/settings.h"

#include <QDir>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartWritesTheDefaults()
    {
        CoreRig rig;
        QCOMPARE(rig.state.appFolder, rig.folder.path());
        QCOMPARE(rig.folder.readBytes(QStringLiteral("config.ini")).size(), 23 * SettingsFile::RecordSize);
        QVERIFY(rig.folder.exists(QStringLiteral("even1.ini")));
        QVERIFY(rig.folder.exists(QStringLiteral("even2.ini")));
        QVERIFY(rig.folder.readBytes(QStringLiteral("even1.ini")).isEmpty());
        QCOMPARE(rig.state.settings.cpt_limite, 107400);
        QVERIFY(!rig.state.debugSwitch);
        // The plan page follows forfait once; mail accounts stay unread while mail is off.
        QCOMPARE(rig.shell.log, QStringList { QStringLiteral("LoadForfaitPage") });
        QCOMPARE(rig.ticker.lastTickTime(), rig.fakes.clock.secondsSinceMidnight());
        QVERIFY(!rig.state.connectedFlag);
        QCOMPARE(rig.state.sessionSeconds, 0);
        QVERIFY(!rig.windows.sessionText.isEmpty()); // the counters are shown from the start
        QVERIFY(rig.fakes.messages.shown.isEmpty());
    }

    void mailAccountsLoadWhenMailIsOn()
    {
        CoreRig rig;
        rig.file.WriteKey(QStringLiteral("courrier"), true);
        rig.shell.log.clear();
        rig.application.InitApplication(rig.folder.path());
        QCOMPARE(rig.shell.log, (QStringList { QStringLiteral("LoadAccounts"), QStringLiteral("LoadForfaitPage") }));
    }

    void debugSwitchNeedsAPlainFile()
    {
        CoreRig rig;
        QDir(rig.folder.path()).mkdir(QStringLiteral("debug"));
        rig.application.InitApplication(rig.folder.path());
        QVERIFY(!rig.state.debugSwitch);
        QDir(rig.folder.path()).rmdir(QStringLiteral("debug"));
        rig.folder.writeBytes(QStringLiteral("debug"), QByteArray());
        rig.application.InitApplication(rig.folder.path());
        QVERIFY(rig.state.debugSwitch);
    }

    void autoOpenAtStart_data()
    {
        QTest::addColumn<QString>("afficheAuto");
        QTest::addColumn<bool>("savedShown");
        QTest::addColumn<int>("shows");
        QTest::addColumn<bool>("shownAfter");
        QTest::newRow("default: nothing at start") << QStringLiteral("01000") << true << 0 << false;
        QTest::newRow("always and as last time, was hidden") << QStringLiteral("10001") << false << 1 << true;
        QTest::newRow("always and as last time, was shown") << QStringLiteral("10001") << true << 2 << true;
        QTest::newRow("as last time, was shown") << QStringLiteral("00001") << true << 1 << true;
        QTest::newRow("as last time, was hidden") << QStringLiteral("00001") << false << 0 << false;
        QTest::newRow("always") << QStringLiteral("10000") << false << 1 << true;
    }
    void autoOpenAtStart()
    {
        QFETCH(QString, afficheAuto);
        QFETCH(bool, savedShown);
        QFETCH(int, shows);
        QFETCH(bool, shownAfter);
        CoreRig rig;
        rig.file.WriteKey(QStringLiteral("affiche_auto"), afficheAuto);
        rig.file.WriteKey(QStringLiteral("affiche_actu"), savedShown);
        rig.windows.calls.clear();
        rig.application.InitApplication(rig.folder.path());
        QCOMPARE(int(rig.windows.callsOf(QStringLiteral("ShowFloatingWindow")).size()), shows);
        QCOMPARE(rig.state.settings.affiche_actu, shownAfter);
    }

    void quitWithTheWindowHiddenAsksNothing()
    {
        CoreRig rig;
        rig.fakes.line.setUp(true);
        rig.state.connectedFlag = true;
        rig.state.settings.cpt_mois = 777;
        QVERIFY(!rig.state.settings.affiche_actu);
        QVERIFY(rig.application.QuitApplication());
        QVERIFY(rig.fakes.messages.shown.isEmpty());
        QCOMPARE(rig.file.ReadKey(QStringLiteral("cpt_mois")), QStringLiteral("777"));
        // Quitting leaves the line up.
        QVERIFY(rig.fakes.line.hungUp.isEmpty());
    }

    void quitQuestionAnswers_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("shownAfter");
        QTest::newRow("yes hides the window") << MessageAnswer::Yes << false << false;
        QTest::newRow("no quits") << MessageAnswer::No << true << true;
        QTest::newRow("cancel changes nothing") << MessageAnswer::Cancel << false << true;
    }
    void quitQuestionAnswers()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, ends);
        QFETCH(bool, shownAfter);
        CoreRig rig;
        rig.windows.ShowFloatingWindow();
        rig.windows.calls.clear();
        rig.shell.log.clear();
        rig.fakes.line.setUp(true);
        rig.state.connectedFlag = true;
        rig.state.settings.cpt_mois = 4242;
        // What the tray's removal finds: the state already saved, the windows still open.
        QString savedAtRemoval;
        bool windowsOpenAtRemoval = false;
        rig.shell.onRemoveTrayIcon = [&] {
            savedAtRemoval = rig.file.ReadKey(QStringLiteral("cpt_mois"));
            windowsOpenAtRemoval = !rig.windows.calls.contains(QStringLiteral("CloseAllWindows"));
        };
        rig.fakes.messages.setNextAnswer(answer);

        QCOMPARE(rig.application.QuitApplication(), ends);

        QCOMPARE(rig.fakes.messages.shown.size(), 1);
        QCOMPARE(rig.fakes.messages.shown.first().style, StyleYesNoCancel);
        QCOMPARE(rig.fakes.messages.shown.first().text,
                 QStringLiteral("Vous êtes sur le point de quitter Chronolien.\rNe voulez vous pas plutôt masquer la "
                                "fenêtre ?\r\rCliquez sur oui pour masquer et non pour quitter."));
        QCOMPARE(rig.state.settings.affiche_actu, shownAfter);
        QVERIFY(rig.fakes.line.hungUp.isEmpty());
        if (ends) {
            QCOMPARE(rig.shell.log, (QStringList { QStringLiteral("CloseMailSockets"), QStringLiteral("RemoveTrayIcon") }));
            QCOMPARE(savedAtRemoval, QStringLiteral("4242"));
            QVERIFY(windowsOpenAtRemoval);
            QCOMPARE(rig.windows.calls, QStringList { QStringLiteral("CloseAllWindows") });
        } else {
            QVERIFY(rig.shell.log.isEmpty());
            QCOMPARE(rig.windows.calls,
                     answer == MessageAnswer::Yes ? QStringList { QStringLiteral("HideFloatingWindow") } : QStringList {});
            QCOMPARE(rig.file.ReadKey(QStringLiteral("cpt_mois")), QStringLiteral("0"));
        }
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "test_application.moc"
