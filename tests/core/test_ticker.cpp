#include "core_rig.h"
#include "history/history_record.h"

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

    // A connection as the timers see it: its history line written when the tick first sees the line
    // up, kept current at the save, closed when the line drops, with the seconds the month counter
    // got and the line's bytes meanwhile; midnight passes during it. The disconnection tick counts
    // nothing and stores the month time, which quitting with the line down would lose.
    void connectionThroughTheTicks()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.forfait = false;
        s.cpt_mois = 100;
        rig.fakes.clock.set(86390.0f); // 23:59:50 on the 6th
        rig.ticker.startTiming();
        rig.shell.log.clear();
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
        rig.shell.onLineDown = [&] { rig.state.sessionSeconds = 0; };
        line.counters = Line::Traffic { 3000, 300 };
        rig.tickAfter(1.0f);
        line.counters.reset();
        line.setUp(false);
        rig.tickAfter(1.0f);
        QCOMPARE(history(), record(11, 10, 2000, 200));
        QCOMPARE(rig.key("cpt_mois"), QStringLiteral("110"));
        rig.file.writeKey(QStringLiteral("cpt_mois"), -1); // the ticks after it write nothing
        rig.tickAfter(1.0f);
        QCOMPARE(rig.key("cpt_mois"), QStringLiteral("-1"));
        QCOMPARE(rig.shell.log.join(u','),
            QStringLiteral("lineUp") + QString(",connectedTick").repeated(11) + ",lineDown");
    }

    void connectAutoDialsOnEveryDownTick()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        FakeLine& line = rig.fakes.line;
        QList<int> dials;
        const auto tick = [&] {
            rig.tickAfter(1.0f);
            dials.append(line.dials);
        };
        tick();
        s.connect_auto = true;
        tick();
        tick();
        line.setUp(true);
        tick();
        line.setUp(false); // the very tick that sees the line drop dials again
        tick();
        line.lineState = Line::State::SettingUp; // no second dialler while that dialling sets it up
        tick();
        line.setUp(false);
        // No dialling into a month over an allowance that hangs up; any other month dials.
        s.cpt_limite = 100;
        s.cpt_mois = 101;
        for (const auto& [forfait, alerte2] :
            { std::pair { true, true }, { true, false }, { false, true } }) {
            s.forfait = forfait;
            s.alerte2 = alerte2;
            tick();
        }
        s.forfait = true;
        s.cpt_mois = 100;
        tick();
        QCOMPARE(dials, (QList<int> { 0, 1, 2, 2, 3, 3, 3, 4, 5, 6 }));
    }

    void planExceededOnEveryCountingTickOverTheAllowance()
    {
        CoreRig rig;
        Settings& s = rig.state.settings;
        s.alerte2 = true; // every planExceeded hangs up, which the fake line records
        s.cpt_limite = 100;
        s.cpt_mois = 99;
        rig.connected();
        QList<int> hangUps;
        const auto tick = [&](float elapsed) {
            rig.tickAfter(elapsed);
            hangUps.append(rig.fakes.line.hangUps);
        };
        tick(1.0f); // 100: equal to the allowance
        tick(1.0f); // 101: over
        tick(1.0f);
        tick(0.0f); // counts nothing, so no alert either
        s.forfait = false; // no plan, no alert
        tick(1.0f);
        QCOMPARE(hangUps, (QList<int> { 0, 1, 2, 2, 2 }));
        QCOMPARE(s.cpt_mois, 103);

        // While the forced hang-up's message waits, the next second's tick runs: each counts once.
        s.forfait = true;
        rig.fakes.messages.whileShown = [&rig] {
            rig.fakes.messages.whileShown = nullptr;
            rig.tickAfter(1.0f);
        };
        rig.tickAfter(1.0f);
        QCOMPARE(s.cpt_mois, 105);
        QCOMPARE(rig.state.sessionSeconds, 6);
    }

    // The month time is saved only while connected (the connection's test shows it), the window's
    // place only when it is to be kept; records are rewritten in place.
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
    }

    void mailCheckEveryThirdMinute()
    {
        CoreRig rig;
        rig.shell.log.clear();
        QList<qsizetype> checks;
        for (int minute = 1; minute <= 7; ++minute) {
            rig.ticker.mailTimerFired();
            checks.append(rig.shell.log.size());
        }
        QCOMPARE(checks, (QList<qsizetype> { 0, 0, 1, 1, 1, 2, 2 }));
    }
};

QTEST_GUILESS_MAIN(TestTicker)
#include "test_ticker.moc"
