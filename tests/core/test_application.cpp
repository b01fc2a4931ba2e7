#include "core_rig.h"

#include <QDir>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startInAnEmptyFolder()
    {
        CoreRig rig;
        // The settings' records are the loader test's; the two command lists are made empty.
        QVERIFY(
            rig.folder.exists(QStringLiteral("even1.ini")) && rig.folder.exists(QStringLiteral("even2.ini")));
        QVERIFY(rig.folder.readBytes(QStringLiteral("even1.ini")).isEmpty()
            && rig.folder.readBytes(QStringLiteral("even2.ini")).isEmpty());
        QVERIFY(!rig.windows.sessionText.isEmpty()); // the counters are shown from the start
        // Mail accounts stay unread while mail is off; a debug folder is no debug switch.
        QCOMPARE(rig.shell.log, QStringList { QStringLiteral("loadForfaitPage") });
        QVERIFY(!rig.state.debugSwitch);

        rig.file.writeKey(QStringLiteral("courrier"), true);
        QDir(rig.folder.path()).mkdir(QStringLiteral("debug"));
        rig.shell.log.clear();
        rig.application.initApplication(rig.folder.path());
        QCOMPARE(rig.shell.log,
            (QStringList { QStringLiteral("loadAccounts"), QStringLiteral("loadForfaitPage") }));
        QVERIFY(!rig.state.debugSwitch);

        QDir(rig.folder.path()).rmdir(QStringLiteral("debug"));
        rig.folder.writeBytes(QStringLiteral("debug"), QByteArray());
        rig.application.initApplication(rig.folder.path());
        QVERIFY(rig.state.debugSwitch);
    }

    void autoOpenAtStart_data()
    {
        QTest::addColumn<QString>("afficheAuto");
        QTest::addColumn<bool>("savedShown");
        QTest::addColumn<int>("shows");
        QTest::addColumn<bool>("shownAfter");
        QTest::newRow("default: nothing at start") << QStringLiteral("01000") << true << 0 << false;
        QTest::newRow("always and as last time, was shown") << QStringLiteral("10001") << true << 2 << true;
        QTest::newRow("as last time, was shown") << QStringLiteral("00001") << true << 1 << true;
        QTest::newRow("as last time, was hidden") << QStringLiteral("00001") << false << 0 << false;
        QTest::newRow("always") << QStringLiteral("10000") << false << 1 << true;
    }
    void autoOpenAtStart()
    {
        QFETCH(QString, afficheAuto);
        QFETCH(bool, savedShown);
        CoreRig rig;
        rig.file.writeKey(QStringLiteral("affiche_auto"), afficheAuto);
        rig.file.writeKey(QStringLiteral("affiche_actu"), savedShown);
        rig.windows.calls.clear();
        rig.application.initApplication(rig.folder.path());
        QTEST(int(rig.windows.callsOf(QStringLiteral("showFloatingWindow")).size()), "shows");
        QTEST(rig.state.settings.affiche_actu, "shownAfter");
    }

    void quit_data()
    {
        QTest::addColumn<bool>("windowShown");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("window hidden: no question") << false << MessageAnswer::Ok << true;
        QTest::newRow("yes hides the window") << true << MessageAnswer::Yes << false;
        QTest::newRow("no quits") << true << MessageAnswer::No << true;
        QTest::newRow("cancel changes nothing") << true << MessageAnswer::Cancel << false;
    }
    void quit()
    {
        QFETCH(bool, windowShown);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, ends);
        CoreRig rig;
        if (windowShown)
            rig.windows.showFloatingWindow();
        rig.windows.calls.clear();
        rig.connected();
        rig.state.settings.cpt_mois = 4242;
        // The tray's removal must find the state saved and the windows still open.
        rig.shell.onRemoveTrayIcon = [&] {
            rig.shell.log.append(rig.file.readKey(QStringLiteral("cpt_mois")) + rig.windows.calls.join(u','));
        };
        rig.fakes.messages.setNextAnswer(answer);

        QCOMPARE(rig.application.quitApplication(), ends);

        QCOMPARE(rig.fakes.messages.shown.size(), windowShown ? 1 : 0);
        QCOMPARE(rig.state.settings.affiche_actu, windowShown && answer != MessageAnswer::Yes);
        QVERIFY(rig.fakes.line.hangUps == 0); // quitting leaves the line up
        if (ends) {
            QCOMPARE(rig.shell.log, (QStringList { "closeMailSockets", "removeTrayIcon", "4242" }));
            QCOMPARE(rig.windows.calls, QStringList { QStringLiteral("closeAllWindows") });
        } else {
            QVERIFY(rig.shell.log.isEmpty());
            QCOMPARE(rig.windows.calls,
                answer == MessageAnswer::Yes ? QStringList { "hideFloatingWindow" } : QStringList {});
            QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")), QStringLiteral("0"));
        }
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "test_application.moc"
