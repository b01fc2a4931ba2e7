#include "core_rig.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestTicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void elapsedTimeCounts_data()
    {
        QTest::addColumn<float>("start");   // seconds since midnight at the last tick
        QTest::addColumn<float>("elapsed"); // seconds until this tick
        QTest::addColumn<int>("month");     // added to cpt_mois (which starts at 11)
        QTest::addColumn<int>("session");   // added to the session (which starts at 0)
        QTest::newRow("one second") << 36000.0f << 1.0f << 1 << 1;
        QTest::newRow("1.6 s counts 2") << 36000.0f << 1.6f << 2 << 2;
        QTest::newRow("99.9 s counts 100") << 36000.0f << 99.9f << 100 << 100;
        QTest::newRow("100.0 s counts nothing") << 36000.0f << 100.0f << 0 << 0;
        QTest::newRow("a long sleep counts nothing") << 36000.0f << 3600.0f << 0 << 0;
        QTest::newRow("0 s counts nothing") << 36000.0f << 0.0f << 0 << 0;
        QTest::newRow("halves go to the even number") << 36000.0f << 0.5f << 1 << 0; // 11.5 -> 12, 0.5 -> 0
        QTest::newRow("past midnight counts nothing") << 86399.5f << 1.0f << 0 << 0;
    }
    void elapsedTimeCounts()
    {
        QFETCH(float, start);
        QFETCH(float, elapsed);
        QFETCH(int, month);
        QFETCH(int, session);
        CoreRig rig;
        rig.state.settings.cpt_mois = 11;
        rig.fakes.clock.set(start);
        rig.connected();
        rig.tickAfter(elapsed);
        QCOMPARE(rig.state.settings.cpt_mois, 11 + month);
        QCOMPARE(rig.state.sessionSeconds, session);
        // The lights are measured on every connected tick, counting or not.
        QCOMPARE(rig.events.count(QStringLiteral("UpdateThroughput")), 1);
    }

    void countersAccumulateTickAfterTick()
    {
        CoreRig rig;
        rig.connected();
        for (int i = 0; i < 5; ++i)
            rig.tickAfter(1.0f);
        QCOMPARE(rig.state.sessionSeconds, 5);
        QCOMPARE(rig.state.settings.cpt_mois, 5);
        QCOMPARE(rig.windows.sessionText, QStringLiteral("0:00:05"));
    }

    void timeSpentInTheTickBelongsToTheNext()
    {
        CoreRig rig;
        rig.connected();
        // The throughput step takes 0.7 s: the next tick measures from the end of this one.
        rig.events.onThroughput = [&] { rig.fakes.clock.advance(0.7f); };
        rig.tickAfter(1.0f);
        QCOMPARE(rig.ticker.lastTickTime(), rig.fakes.clock.secondsSinceMidnight());
        rig.events.onThroughput = nullptr;
        // 0.4 s since the last reading rounds to nothing; 1.1 s since the first reading would count.
        rig.tickAfter(0.4f);
        QCOMPARE(rig.state.sessionSeconds, 1);
    }

    void connectionTickRunsOnConnectOnceAndCounts()
    {
        CoreRig rig;
        rig.fakes.line.setUp(true);
        rig.tickAfter(1.0f);
        QVERIFY(rig.state.connectedFlag);
        QCOMPARE(rig.events.calls, (QStringList { QStringLiteral("OnConnect"), QStringLiteral("UpdateThroughput") }));
        // The second before the first connected tick is counted, from the previous tick.
        QCOMPARE(rig.state.sessionSeconds, 1);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.events.count(QStringLiteral("OnConnect")), 1);
    }

    void disconnectionTickCountsNothingAndReadsNoThroughput()
    {
        CoreRig rig;
        rig.connected();
        rig.state.settings.cpt_mois = 500;
        rig.state.sessionSeconds = 40;
        rig.fakes.line.setUp(false);
        rig.tickAfter(1.0f);
        QVERIFY(!rig.state.connectedFlag);
        QCOMPARE(rig.events.calls, QStringList { QStringLiteral("OnDisconnect") });
        QCOMPARE(rig.state.settings.cpt_mois, 500);
        QCOMPARE(rig.fakes.interfaces.reads, 0);
        // The month time counted since the last save is stored at once, or quitting would lose it.
        QCOMPARE(rig.file.ReadKey(QStringLiteral("cpt_mois")), QStringLiteral("500"));
        rig.state.settings.cpt_mois = 501;
        rig.tickAfter(1.0f);
        QCOMPARE(rig.events.count(QStringLiteral("OnDisconnect")), 1);
        // Only the tick that sees the line go down writes it.
        QCOMPARE(rig.file.ReadKey(QStringLiteral("cpt_mois")), QStringLiteral("500"));
    }

    void lineBeingSetUpIsNotAConnection()
    {
        CoreRig rig;
        rig.fakes.line.connections = { QStringLiteral("ppp0") };
        rig.tickAfter(1.0f);
        QVERIFY(!rig.state.connectedFlag);
        QVERIFY(rig.events.calls.isEmpty());
    }

    void connectAutoDialsOnEveryDownTick()
    {
        CoreRig rig;
        rig.state.settings.connect_auto = true;
        for (int i = 0; i < 3; ++i)
            rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 3);
        rig.fakes.line.setUp(true);
        rig.tickAfter(1.0f);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 3);
        // The line drops: the very tick that sees it dials again.
        rig.fakes.line.setUp(false);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 4);
    }

    void withoutConnectAutoNothingDials()
    {
        CoreRig rig;
        rig.tickAfter(1.0f);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 0);
    }

    void noAutoDialIntoAMonthThatWouldBeHungUp()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.connect_auto = true;
        s.forfait = true;
        s.alerte2 = true;
        s.cpt_limite = 100;
        s.cpt_mois = 101;
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 0);
        s.cpt_mois = 100; // at the allowance, not over it
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 1);
    }

    void planExceededOnEveryCountingTickOverTheAllowance()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.forfait = true;
        s.alerte1 = false;
        s.alerte2 = true; // every PlanExceeded hangs up, which the fake line records
        s.cpt_limite = 100;
        s.cpt_mois = 99;
        rig.connected();
        rig.tickAfter(1.0f); // 100: equal to the allowance
        QVERIFY(rig.fakes.line.hungUp.isEmpty());
        rig.tickAfter(1.0f); // 101: over
        QCOMPARE(rig.fakes.line.hungUp.size(), 1);
        rig.tickAfter(1.0f);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.hungUp.size(), 3);
        rig.tickAfter(0.0f); // counts nothing, so no alert either
        QCOMPARE(rig.fakes.line.hungUp.size(), 3);
        QCOMPARE(s.cpt_mois, 103);
    }

    void noPlanNoAlert()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.forfait = false;
        s.alerte2 = true;
        s.cpt_limite = 100;
        s.cpt_mois = 200;
        rig.connected();
        rig.tickAfter(1.0f);
        QVERIFY(rig.fakes.line.hungUp.isEmpty());
        QCOMPARE(s.cpt_mois, 201);
    }

    void monthCounterStopsAtItsCeiling()
    {
        CoreRig rig;
        rig.state.settings.forfait = false;
        rig.state.settings.cpt_mois = std::numeric_limits<qint32>::max() - 1;
        rig.connected();
        rig.tickAfter(5.0f);
        QCOMPARE(rig.state.settings.cpt_mois, std::numeric_limits<qint32>::max());
    }

    void saveStateWritesWhatARestartNeeds_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("posMem");
        QTest::newRow("connected, position kept") << true << true;
        QTest::newRow("line down") << false << true;
        QTest::newRow("position not kept") << true << false;
    }
    void saveStateWritesWhatARestartNeeds()
    {
        QFETCH(bool, connected);
        QFETCH(bool, posMem);
        CoreRig rig;
        Settings& s = rig.state.settings;
        rig.state.connectedFlag = connected;
        s.pos_mem = posMem;
        s.cpt_mois = 4321;
        s.affiche_actu = true;
        s.pos_x = 7000;
        s.pos_y = -15;
        rig.ticker.SaveState();
        const SettingsFile& file = rig.file;
        QCOMPARE(file.ReadKey(QStringLiteral("cpt_mois")), connected ? QStringLiteral("4321") : QStringLiteral("0"));
        QCOMPARE(file.ReadKey(QStringLiteral("affiche_actu")), QStringLiteral("Vrai"));
        QCOMPARE(file.ReadKey(QStringLiteral("pos_x")), posMem ? QStringLiteral("7000") : QStringLiteral("5000"));
        QCOMPARE(file.ReadKey(QStringLiteral("pos_y")), posMem ? QStringLiteral("-15") : QStringLiteral("500"));
        // Records are rewritten in place: the file keeps its 23 records.
        QCOMPARE(rig.folder.readBytes(QStringLiteral("config.ini")).size(), 23 * SettingsFile::RecordSize);
    }

    void mailCheckEveryThirdMinute()
    {
        CoreRig rig;
        QList<int> checks;
        for (int minute = 1; minute <= 9; ++minute) {
            rig.ticker.MailTimerFired();
            checks.append(rig.shell.count(QStringLiteral("StartMailCheck")));
        }
        QCOMPARE(checks, (QList<int> { 0, 0, 1, 1, 1, 2, 2, 2, 3 }));
    }
};

QTEST_GUILESS_MAIN(TestTicker)
#include "test_ticker.moc"
