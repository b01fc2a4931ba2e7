#include "core_rig.h"

#include <QDir>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Mail accounts stay unread while mail is off; a debug folder is no debug switch; a history's
    // last line torn by a crash of the system is dropped.
    void startInAnEmptyFolder()
    {
        CoreRig rig;
        // The settings' records are the loader test's; the two command lists are made empty.
        for (const QString& list : { QStringLiteral("even1.ini"), QStringLiteral("even2.ini") })
            QVERIFY(rig.folder.exists(list) && rig.folder.readBytes(list).isEmpty());
        QCOMPARE(rig.windows.sessionText, QStringLiteral("0:00:00")); // the counters are shown from the start
        QCOMPARE(rig.shell.log, QStringList { "loadForfaitPage" });

        const QByteArray whole = "debut;fin;secondes;octets_recus;octets_envoyes\n"
                                 "2026-12-05T08:00:00;2026-12-05T09:00:00;3600;1000;200\n";
        rig.folder.writeBytes(QStringLiteral("historique.csv"), whole + "2026-12-06T09:00:00;2026-12-0");
        rig.file.writeKey(QStringLiteral("courrier"), true);
        QDir(rig.folder.path()).mkdir(QStringLiteral("debug"));
        rig.application.initApplication(rig.folder.path());
        QCOMPARE(rig.shell.log.join(u','), "loadForfaitPage,loadAccounts,loadForfaitPage");
        QVERIFY(!rig.state.debugSwitch);
        QCOMPARE(rig.folder.readBytes(QStringLiteral("historique.csv")), whole);

        QDir(rig.folder.path()).rmdir(QStringLiteral("debug"));
        rig.folder.writeBytes(QStringLiteral("debug"), QByteArray());
        rig.application.initApplication(rig.folder.path());
        QVERIFY(rig.state.debugSwitch);
    }

    // The floating window by the automatic-opening flags (always, at connection, for mail, for the
    // plan, as last time): at start, at connection (from hidden) and at disconnection (from shown).
    void autoOpen_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("savedShown");
        QTest::addColumn<int>("startShows");
        QTest::addColumn<bool>("opensAtConnection");
        QTest::addColumn<bool>("closesAtDisconnection");
        QTest::newRow("default") << "01000" << true << 0 << true << true;
        QTest::newRow("always and as last time, was shown") << "10001" << true << 2 << false << false;
        QTest::newRow("as last time, was shown") << "00001" << true << 1 << false << false;
        QTest::newRow("as last time, was hidden") << "00001" << false << 0 << false << false;
        QTest::newRow("always") << "10000" << false << 1 << false << false;
        QTest::newRow("always and connected") << "11000" << false << 1 << true << false;
        QTest::newRow("connected and as last time") << "01001" << false << 0 << true << false;
        QTest::newRow("mail only") << "00100" << false << 0 << false << true;
        QTest::newRow("nothing") << "00000" << true << 0 << false << false;
    }
    void autoOpen()
    {
        QFETCH(QString, flags);
        QFETCH(bool, savedShown);
        QFETCH(int, startShows);
        CoreRig rig;
        rig.file.writeKey(QStringLiteral("affiche_auto"), flags);
        rig.file.writeKey(QStringLiteral("affiche_actu"), savedShown);
        rig.application.initApplication(rig.folder.path());
        QCOMPARE(rig.windows.callsOf("showFloatingWindow"), startShows);
        QCOMPARE(rig.state.settings.affiche_actu, startShows > 0);

        rig.state.settings.affiche_actu = false;
        rig.windows.calls.clear();
        rig.actions.onConnect();
        QTEST(rig.windows.callsOf("showFloatingWindow") == 1, "opensAtConnection");
        rig.state.settings.affiche_actu = true; // shown, by the flags or by the user
        rig.actions.onDisconnect();
        QTEST(rig.windows.callsOf("hideFloatingWindow") == 1, "closesAtDisconnection");
    }

    // Connection, then disconnection, each in its order, with its sound, the programs of its list
    // that exist, and a mail check at connection only.
    void connectThenDisconnect()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        for (const char* file : { "connect.wav", "deconnect.wav", "a.sh", "b.sh" })
            rig.folder.writeBytes(QLatin1String(file), "RIFF");
        const QString a = rig.path("a.sh"), b = rig.path("b.sh");
        s.son_connect = rig.path("connect.wav");
        s.son_deconnect = rig.path("deconnect.wav");
        rig.state.commandLists[0].entries = { rig.path("missing.sh"), a, a + " --arg", rig.folder.path(), b };
        rig.state.commandLists[1].entries = { b };
        rig.shell.log.clear();
        rig.actions.onConnect();
        QCOMPARE(rig.windows.calls.join(u','), "showFloatingWindow,loadCentreSkin(1),setConnectCaptions(1)");
        QCOMPARE(rig.fakes.processes.started, (QStringList { a, b }));
        QCOMPARE(rig.shell.log, QStringList { "connectionMailCheck" });

        rig.state.sessionSeconds = 3725;
        rig.windows.downLight = rig.windows.upLight = rig.state.mailWindowShown = true;
        rig.windows.calls.clear();
        rig.actions.onDisconnect();
        QCOMPARE(rig.windows.calls.join(u','),
            "loadCentreSkin(0),setConnectCaptions(0),hideFloatingWindow,applyMailWindow");
        QVERIFY(!rig.windows.downLight && !rig.windows.upLight && !rig.state.mailWindowShown);
        QCOMPARE(rig.windows.sessionText, QStringLiteral("0:00:00"));
        QCOMPARE(rig.fakes.sound.played, (QStringList { s.son_connect, s.son_deconnect }));
        QCOMPARE(rig.fakes.processes.started, (QStringList { a, b, b }));
        QCOMPARE(rig.shell.log.size(), 1);

        // Sounds off, no sound for the event ("0"), a missing file: nothing plays.
        rig.fakes.sound.played.clear();
        for (const auto& [sons, path] : { std::pair { false, s.son_connect }, { true, QStringLiteral("0") },
                 { true, rig.path("nothing.wav") } }) {
            s.sons = sons;
            s.son_connect = path;
            rig.actions.onConnect();
        }
        QVERIFY(rig.fakes.sound.played.isEmpty());
    }

    void quit_data()
    {
        QTest::addColumn<bool>("windowShown");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("windowCalls");
        QTest::newRow("window hidden: no question")
            << false << MessageAnswer::Ok << true << "closeAllWindows";
        QTest::newRow("yes hides the window") << true << MessageAnswer::Yes << false << "hideFloatingWindow";
        QTest::newRow("no quits") << true << MessageAnswer::No << true << "closeAllWindows";
        QTest::newRow("cancel changes nothing") << true << MessageAnswer::Cancel << false << "";
    }
    void quit()
    {
        QFETCH(bool, windowShown);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, ends);
        CoreRig rig;
        rig.state.settings.affiche_actu = windowShown;
        rig.connected();
        rig.state.settings.cpt_mois = 4242;
        // The tray's removal must find the state saved and the windows still open.
        rig.shell.onRemoveTrayIcon
            = [&] { rig.shell.log.append(rig.key("cpt_mois") + rig.windows.calls.join(u',')); };
        rig.fakes.messages.answers.enqueue(answer);

        QCOMPARE(rig.application.quitApplication(), ends);
        QCOMPARE(rig.fakes.messages.shown.size(), windowShown ? 1 : 0);
        QCOMPARE(rig.state.settings.affiche_actu, windowShown && answer != MessageAnswer::Yes);
        QCOMPARE(rig.fakes.line.hangUps, 0); // quitting leaves the line up
        QCOMPARE(rig.shell.log.join(u','), ends ? "closeMailSockets,removeTrayIcon,4242" : "");
        QTEST(rig.windows.calls.join(u','), "windowCalls");
        QCOMPARE(rig.key("cpt_mois"), ends ? "4242" : "0");
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "test_application.moc"
