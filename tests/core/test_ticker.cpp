#include "core_rig.h"

#include <QTest>
#include <limits>

using namespace chronolien;
using namespace chronolien::test;

class TestTicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void elapsedTimeCounts_data()
    {
        QTest::addColumn<float>("start"); // seconds since midnight at the last tick
        QTest::addColumn<float>("elapsed"); // seconds until this tick
        QTest::addColumn<qint32>("monthBefore");
        QTest::addColumn<qint32>("monthAfter");
        QTest::addColumn<int>("session"); // from 0
        const qint32 max = std::numeric_limits<qint32>::max();
        QTest::newRow("1.6 s counts 2") << 36000.0f << 1.6f << 11 << 13 << 2;
        QTest::newRow("99.9 s counts 100") << 36000.0f << 99.9f << 11 << 111 << 100;
        QTest::newRow("100.0 s counts nothing") << 36000.0f << 100.0f << 11 << 11 << 0;
        QTest::newRow("0 s counts nothing") << 36000.0f << 0.0f << 11 << 11 << 0;
        QTest::newRow("halves go to the even number") << 36000.0f << 0.5f << 11 << 12 << 0;
        QTest::newRow("past midnight counts nothing") << 86399.5f << 1.0f << 11 << 11 << 0;
        QTest::newRow("month counter stops at its ceiling") << 36000.0f << 5.0f << max - 1 << max << 5;
    }
    void elapsedTimeCounts()
    {
        QFETCH(float, start);
        QFETCH(float, elapsed);
        QFETCH(qint32, monthBefore);
        CoreRig rig;
        rig.state.settings.forfait = false;
        rig.state.settings.cpt_mois = monthBefore;
        rig.fakes.clock.set(start);
        rig.connected();
        rig.tickAfter(elapsed);
        QTEST(rig.state.settings.cpt_mois, "monthAfter");
        QTEST(rig.state.sessionSeconds, "session");
        // The lights are measured on every connected tick, counting or not.
        QCOMPARE(rig.shell.log, QStringList { QStringLiteral("connectedTick") });
    }

    void timeSpentInTheTickBelongsToTheNext()
    {
        CoreRig rig;
        rig.connected();
        rig.shell.onThroughput = [&] { rig.fakes.clock.advance(0.7f); };
        rig.tickAfter(1.0f);
        rig.shell.onThroughput = nullptr;
        // 0.4 s since the end of the last tick rounds to nothing; 1.1 s since its start would count.
        rig.tickAfter(0.4f);
        QCOMPARE(rig.state.sessionSeconds, 1);
    }

    void connectionAndDisconnectionTicks()
    {
        CoreRig rig;
        rig.shell.log.clear();
        rig.fakes.line.setUp(true);
        rig.tickAfter(1.0f);
        rig.tickAfter(1.0f);
        QVERIFY(rig.state.connectedFlag);
        QCOMPARE(rig.shell.log, (QStringList { "lineUp", "connectedTick", "connectedTick" }));
        QCOMPARE(rig.state.sessionSeconds, 2);

        // The disconnection tick counts nothing and measures no throughput. It stores the month
        // time counted since the last save, which quitting with the line down would lose; the
        // ticks after it write nothing.
        rig.shell.log.clear();
        const qint32 month = rig.state.settings.cpt_mois;
        rig.fakes.line.setUp(false);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")), QString::number(month));
        rig.file.writeKey(QStringLiteral("cpt_mois"), -1);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")), QStringLiteral("-1"));
        QVERIFY(!rig.state.connectedFlag);
        QCOMPARE(rig.shell.log, QStringList { QStringLiteral("lineDown") });
        QCOMPARE(rig.state.settings.cpt_mois, month);
    }

    void connectAutoDialsOnEveryDownTick()
    {
        CoreRig rig;
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 0);
        rig.state.settings.connect_auto = true;
        rig.tickAfter(1.0f);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 2);
        rig.fakes.line.setUp(true);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 2);
        // The line drops: the very tick that sees it dials again.
        rig.fakes.line.setUp(false);
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 3);
        // While that dialling sets the line up, no second dialler is started.
        rig.fakes.line.lineState = Line::State::SettingUp;
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 3);
        QVERIFY(!rig.state.connectedFlag);
        rig.fakes.line.setUp(false);

        // No dialling into a month over an allowance that hangs up; any other month dials.
        Settings& s = rig.state.settings;
        s.forfait = true;
        s.alerte2 = true;
        s.cpt_limite = 100;
        s.cpt_mois = 101;
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 3);
        s.alerte2 = false;
        rig.tickAfter(1.0f);
        s.alerte2 = true;
        s.forfait = false;
        rig.tickAfter(1.0f);
        s.forfait = true;
        s.cpt_mois = 100;
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.dials, 6);
    }

    void planExceededOnEveryCountingTickOverTheAllowance()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.forfait = true;
        s.alerte1 = false;
        s.alerte2 = true; // every planExceeded hangs up, which the fake line records
        s.cpt_limite = 100;
        s.cpt_mois = 99;
        rig.connected();
        rig.tickAfter(1.0f); // 100: equal to the allowance
        QVERIFY(rig.fakes.line.hangUps == 0);
        rig.tickAfter(1.0f); // 101: over
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.hangUps, 2);
        rig.tickAfter(0.0f); // counts nothing, so no alert either
        QCOMPARE(rig.fakes.line.hangUps, 2);
        s.forfait = false; // no plan, no alert
        rig.tickAfter(1.0f);
        QCOMPARE(rig.fakes.line.hangUps, 2);
        QCOMPARE(s.cpt_mois, 103);
    }

    void ticksWhileTheAlertWaitsCountEachSecondOnce()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.alerte2 = true;
        s.cpt_limite = 100;
        s.cpt_mois = 100;
        rig.connected();
        // While the forced hang-up's message waits, the next second's tick runs.
        rig.fakes.messages.whileShown = [&rig] {
            rig.fakes.messages.whileShown = nullptr;
            rig.tickAfter(1.0f);
        };
        rig.tickAfter(1.0f);
        QCOMPARE(s.cpt_mois, 102);
        QCOMPARE(rig.state.sessionSeconds, 2);
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
        rig.ticker.saveState();
        QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")),
            connected ? QStringLiteral("4321") : QStringLiteral("0"));
        QCOMPARE(rig.file.readKey(QStringLiteral("affiche_actu")), QStringLiteral("Vrai"));
        QCOMPARE(rig.file.readKey(QStringLiteral("pos_x")),
            posMem ? QStringLiteral("7000") : QStringLiteral("5000"));
        QCOMPARE(rig.file.readKey(QStringLiteral("pos_y")),
            posMem ? QStringLiteral("-15") : QStringLiteral("500"));
        // Records are rewritten in place: the file keeps its 23 records.
        QCOMPARE(rig.folder.readBytes(QStringLiteral("config.ini")).size(), 23 * SettingsFile::RecordSize);
    }

    void mailCheckEveryThirdMinute()
    {
        CoreRig rig;
        QList<int> checks;
        for (int minute = 1; minute <= 7; ++minute) {
            rig.ticker.mailTimerFired();
            checks.append(rig.shell.count("startMailCheck"));
        }
        QCOMPARE(checks, (QList<int> { 0, 0, 1, 1, 1, 2, 2 }));
    }
};

QTEST_GUILESS_MAIN(TestTicker)
#include "test_ticker.moc"
