#include "core_rig.h"
#include "history/history_record.h"

#include <QTest>
#include <limits>

using namespace chronolien;
using namespace chronolien::test;

// The timers' ticks, the connection's actions, and the program's start and end, over fakes.
class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void elapsedTimeCounts_data()
    {
        QTest::addColumn<float>("elapsed"); // seconds since the last tick, at 10:00
        QTest::addColumn<qint32>("monthBefore");
        QTest::addColumn<qint32>("monthAfter");
        QTest::addColumn<int>("session"); // from 0
        const qint32 max = std::numeric_limits<qint32>::max();
        QTest::newRow("1.6 s counts 2") << 1.6f << 11 << 13 << 2;
        QTest::newRow("99.9 s counts 100") << 99.9f << 11 << 111 << 100;
        QTest::newRow("100.0 s counts nothing") << 100.0f << 11 << 11 << 0;
        QTest::newRow("halves go to the even number") << 0.5f << 11 << 12 << 0;
        QTest::newRow("month counter stops at its ceiling") << 5.0f << max - 1 << max << 5;
    }
    void elapsedTimeCounts()
    {
        QFETCH(float, elapsed);
        QFETCH(qint32, monthBefore);
        CoreRig rig;
        rig.state.settings.forfait = false;
        rig.state.settings.cpt_mois = monthBefore;
        rig.connected();
        rig.then[QStringLiteral("connectedTick")] = [&] { rig.fakes.clock.advance(0.7f); };
        rig.tickAfter(elapsed);
        rig.then.clear();
        // 0.4 s since the end of the last tick rounds to nothing; 1.1 s since its start would count.
        rig.tickAfter(0.4f);
        QTEST(rig.state.settings.cpt_mois, "monthAfter");
        QTEST(rig.state.sessionSeconds, "session");
        // The lights are measured on every connected tick, counting or not.
        QCOMPARE(rig.log, QStringList(2, QStringLiteral("connectedTick")));
    }

    // A connection across midnight in the history, written at the first tick up, kept current at the
    // save, closed with the last connected tick's bytes; the disconnection tick stores the month time.
    void connectionThroughTheTicks()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.forfait = false;
        s.cpt_mois = 100;
        rig.fakes.clock.set(86390.0f); // 23:59:50 on the 6th
        rig.ticker.startTiming();
        rig.log.clear();
        FakeLine& line = rig.fakes.line;
        const qint64 start = clockSeconds(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 51)));
        const auto history = [&] { return readHistory(rig.path("historique.csv")); };
        const auto record = [&](qint64 length, qint32 seconds, quint64 received, quint64 sent) {
            return QList { ConnectionRecord { start, start + length, seconds, received, sent } };
        };

        line.counters = Line::Traffic { 1000, 100 };
        line.setUp(true);
        rig.tickAfter(1.0f);
        QCOMPARE(history(), record(0, 0, 0, 0));
        for (quint64 i = 1; i <= 9; ++i) {
            line.counters = Line::Traffic { 1000 + 100 * i, 100 + 10 * i };
            rig.tickAfter(1.0f);
        }
        rig.ticker.saveState();
        QCOMPARE(history(), record(9, 9, 900, 90));
        QCOMPARE(rig.key("cpt_mois"), QStringLiteral("109"));

        // The interface is gone by the tick that sees the line down: its bytes are those of the
        // last connected tick. The disconnection's actions set the session to zero.
        rig.then[QStringLiteral("lineDown")] = [&] { rig.state.sessionSeconds = 0; };
        line.counters = Line::Traffic { 3000, 300 };
        rig.tickAfter(1.0f);
        QCOMPARE(rig.tickReading.value_or(Line::Traffic {}).receivedBytes,
            3000u); // the lights get the tick's reading
        line.counters.reset();
        line.setUp(false);
        rig.tickAfter(1.0f);
        QCOMPARE(history(), record(11, 10, 2000, 200));
        QCOMPARE(rig.key("cpt_mois"), QStringLiteral("110"));
        QCOMPARE(rig.log.join(u','),
            QStringLiteral("lineUp") + QString(",connectedTick").repeated(11) + ",lineDown");
    }

    // The permanent connection's dialling, then every counting tick over the allowance hanging up.
    void dialsAndHangUpsTickByTick()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        FakeLine& line = rig.fakes.line;
        s.cpt_limite = 100;
        using enum Line::State;
        struct Step {
            Line::State state;
            bool connectAuto, forfait, alerte2;
            qint32 month; // -1: as the ticks left it
            float elapsed;
            int dials, hangUps;
        };
        const Step steps[] = {
            { Down, false, false, false, 0, 1, 0, 0 }, // permanent connection off
            { Down, true, false, false, 0, 1, 1, 0 }, // on: dials on every tick that sees the line down
            { Up, true, false, false, 0, 1, 1, 0 }, // up: nothing to dial
            { Down, true, false, false, 0, 1, 2, 0 }, // the very tick that sees the line drop
            { SettingUp, true, false, false, 0, 1, 2, 0 }, // no second dialler while one sets it up
            { Down, true, true, true, 101, 1, 2, 0 }, // over an allowance that hangs up: no dialling
            { Down, true, true, false, 101, 1, 3, 0 }, // over one that does not hang up
            { Down, true, false, true, 101, 1, 4, 0 }, // no plan
            { Down, true, true, true, 100, 1, 5, 0 }, // at the allowance
            { Up, false, true, true, 98, 1, 5, 0 }, // connected: 99
            { Up, false, true, true, -1, 1, 5, 0 }, // 100: equal to the allowance
            { Up, false, true, true, -1, 1, 5, 1 }, // 101: over
            { Up, false, true, true, -1, 1, 5, 2 }, // 102
            { Up, false, true, true, -1, 0, 5, 2 }, // counts nothing, so no alert either
            { Up, false, false, true, -1, 1, 5, 2 }, // no plan, no alert
        };
        QStringList expected, seen;
        for (const Step& step : steps) {
            line.lineState = step.state;
            s.connect_auto = step.connectAuto;
            s.forfait = step.forfait;
            s.alerte2 = step.alerte2;
            if (step.month >= 0)
                s.cpt_mois = step.month;
            rig.tickAfter(step.elapsed);
            expected.append(QStringLiteral("%1 dials, %2 hang-ups").arg(step.dials).arg(step.hangUps));
            seen.append(QStringLiteral("%1 dials, %2 hang-ups").arg(line.dials).arg(line.hangUps));
        }
        QCOMPARE(seen, expected);
        QCOMPARE(s.cpt_mois, 103);

        // While the forced hang-up's message waits, the next second's tick runs: each counts once.
        s.forfait = true;
        rig.fakes.messages.whileShown = [&rig] {
            rig.fakes.messages.whileShown = nullptr;
            rig.tickAfter(1.0f);
        };
        rig.tickAfter(1.0f);
        QCOMPARE(s.cpt_mois, 105);
        QCOMPARE(rig.state.sessionSeconds, 8); // the session is never reset without the actions
    }

    // The window's place is saved only when it is to be kept; records are rewritten in place.
    void saveStateWritesWhatARestartNeeds()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.cpt_mois = 4321;
        s.affiche_actu = true;
        s.pos_x = 7000;
        s.pos_y = -15;
        for (const bool posMem : { false, true }) {
            s.pos_mem = posMem;
            rig.ticker.saveState();
            const QStringList saved { rig.key("cpt_mois"), rig.key("affiche_actu"), rig.key("pos_x"),
                rig.key("pos_y") };
            QCOMPARE(saved, (QStringList { "0", "Vrai", posMem ? "7000" : "5000", posMem ? "-15" : "500" }));
        }
        QCOMPARE(rig.folder.readBytes(QStringLiteral("config.ini")).size(), 23 * SettingsFile::RecordSize);
        // Nothing changed since: config.ini is neither opened nor written.
        QVERIFY(QFile::remove(rig.path("config.ini")));
        rig.ticker.saveState();
        QVERIFY(!rig.folder.exists(QStringLiteral("config.ini")));
    }

    void mailCheckEveryThirdMinute()
    {
        CoreRig rig;
        rig.log.clear();
        QList<qsizetype> checks;
        for (int minute = 1; minute <= 7; ++minute) {
            rig.ticker.mailTimerFired();
            checks.append(rig.log.size());
        }
        QCOMPARE(checks, (QList<qsizetype> { 0, 0, 1, 1, 1, 2, 2 }));
    }

    // Mail accounts stay unread while mail is off; a file named debug turns the mail trace on.
    void startInAnEmptyFolder()
    {
        CoreRig rig;
        QCOMPARE(rig.windows.sessionText, QStringLiteral("0:00:00")); // the counters are shown from the start
        QCOMPARE(rig.log, QStringList { "loadForfaitPage" });
        QVERIFY(!rig.state.debugSwitch);

        rig.file.writeKey(QStringLiteral("courrier"), true);
        rig.folder.writeBytes(QStringLiteral("debug"), QByteArray());
        rig.application.initApplication(rig.folder.path());
        QCOMPARE(rig.log.join(u','), "loadForfaitPage,loadAccounts,loadForfaitPage");
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
        QTest::newRow("always and as last time, was shown") << "10001" << true << 2 << false << false;
        QTest::newRow("as last time, was hidden") << "00001" << false << 0 << false << false;
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
        rig.log.clear();
        rig.actions.onConnect();
        QCOMPARE(rig.windows.calls.join(u','), "showFloatingWindow,loadCentreSkin(1),setConnectCaptions(1)");
        QCOMPARE(rig.fakes.processes.started, (QStringList { a, b }));
        QCOMPARE(rig.log, QStringList { "connectionMailCheck" });

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
        QCOMPARE(rig.log.size(), 1);

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
        QTest::addColumn<bool>("tray");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("windowCalls");
        QTest::newRow("window hidden: no question")
            << false << true << MessageAnswer::Ok << true << "closeAllWindows";
        QTest::newRow("yes hides the window")
            << true << true << MessageAnswer::Yes << false << "hideFloatingWindow";
        QTest::newRow("no quits") << true << true << MessageAnswer::No << true << "closeAllWindows";
        QTest::newRow("cancel changes nothing") << true << true << MessageAnswer::Cancel << false << "";
        QTest::newRow("no tray: nothing to hide, no question")
            << true << false << MessageAnswer::Ok << true << "closeAllWindows";
    }
    void quit()
    {
        QFETCH(bool, windowShown);
        QFETCH(bool, tray);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, ends);
        CoreRig rig;
        rig.state.settings.affiche_actu = windowShown;
        rig.windows.trayIconShown = tray;
        rig.connected();
        rig.state.settings.cpt_mois = 4242;
        // The tray's removal must find the state saved and the windows still open.
        rig.then[QStringLiteral("removeTrayIcon")]
            = [&] { rig.log.append(rig.key("cpt_mois") + rig.windows.calls.join(u',')); };
        rig.fakes.messages.answers.enqueue(answer);

        QCOMPARE(rig.application.quitApplication(), ends);
        QCOMPARE(rig.fakes.messages.shown.size(), windowShown && tray ? 1 : 0);
        QCOMPARE(rig.state.settings.affiche_actu, windowShown && answer != MessageAnswer::Yes);
        QCOMPARE(rig.fakes.line.hangUps, 0); // quitting leaves the line up
        QCOMPARE(rig.log.join(u','), ends ? "closeMailSockets,removeTrayIcon,4242" : "");
        QTEST(rig.windows.calls.join(u','), "windowCalls");
        QCOMPARE(rig.key("cpt_mois"), ends ? "4242" : "0");
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
