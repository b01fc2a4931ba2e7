#include "connection/throughput.h"
#include "state/app_state.h"
#include "support/fake_clock.h"
#include "support/fake_line.h"
#include "support/recording_windows.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

using Traffic = Line::Traffic;

struct Rig {
    AppState state;
    FakeClock clock;
    FakeLine line;
    RecordingWindows windows { state };
    Throughput throughput { line, clock, windows };

    // The first reading of the run only takes the time; the second measures against counts of 0.
    void prime(quint64 rx, quint64 tx)
    {
        line.counters = Traffic { 0, 0 };
        throughput.updateThroughput();
        clock.advance(1);
        line.counters = Traffic { rx, tx };
        throughput.updateThroughput();
    }
};

} // namespace

class TestThroughput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ratesAgainstTheThreshold_data()
    {
        QTest::addColumn<quint64>("in");
        QTest::addColumn<quint64>("out");
        QTest::addColumn<float>("seconds");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("up");
        QTest::newRow("5000 in, 500 out") << quint64(5000) << quint64(500) << 1.0f << true << false;
        QTest::newRow("exactly 1024") << quint64(1024) << quint64(1024) << 1.0f << false << false;
        QTest::newRow("1025 out") << quint64(0) << quint64(1025) << 1.0f << false << true;
        QTest::newRow("3000 in over 2 s") << quint64(3000) << quint64(0) << 2.0f << true << false;
        QTest::newRow("2000 in over 2 s") << quint64(2000) << quint64(0) << 2.0f << false << false;
    }
    void ratesAgainstTheThreshold()
    {
        QFETCH(quint64, in);
        QFETCH(quint64, out);
        QFETCH(float, seconds);
        QFETCH(bool, down);
        QFETCH(bool, up);
        Rig rig;
        const quint64 base = 5'000'000'000ull; // past 32 bits
        rig.prime(base, base);
        rig.clock.advance(seconds);
        rig.line.counters = Traffic { base + in, base + out };
        rig.throughput.updateThroughput();
        QCOMPARE(rig.windows.downLight, down);
        QCOMPARE(rig.windows.upLight, up);
    }

    void firstReadingOnlyTakesTheTime()
    {
        Rig rig;
        rig.windows.downLight = true;
        rig.line.counters = Traffic { 900000, 900000 };
        rig.throughput.updateThroughput();
        QVERIFY(rig.windows.downLight); // untouched
        rig.clock.advance(1);
        rig.throughput.updateThroughput(); // the whole traffic so far, against counts of 0
        QVERIFY(rig.windows.downLight);
        QVERIFY(rig.windows.upLight);
    }

    void newConnectionStartsBelowTheOldCounts()
    {
        Rig rig;
        rig.prime(8000, 8000);
        QVERIFY(rig.windows.downLight);
        rig.clock.advance(30); // the line dropped and came back up
        rig.line.counters = Traffic { 3000, 3000 };
        rig.throughput.updateThroughput();
        QVERIFY(!rig.windows.downLight);
        QVERIFY(!rig.windows.upLight);
    }

    // A reading with no time gone by, or with counters that cannot be read, measures nothing.
    void readingsThatMeasureNothingLeaveTheLights_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<bool>("readable");
        QTest::newRow("same clock reading") << 0.0f << true;
        QTest::newRow("unreadable counters") << 1.0f << false;
    }
    void readingsThatMeasureNothingLeaveTheLights()
    {
        QFETCH(float, seconds);
        QFETCH(bool, readable);
        Rig rig;
        rig.prime(8000, 8000);
        rig.clock.advance(seconds);
        rig.line.counters = readable ? std::optional(Traffic { 8000, 8000 }) : std::nullopt;
        rig.throughput.updateThroughput();
        QVERIFY(rig.windows.downLight && rig.windows.upLight);
    }
};

QTEST_GUILESS_MAIN(TestThroughput)
#include "test_throughput.moc"
