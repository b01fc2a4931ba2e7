#include "connection/connection_monitor.h"
#include "connection/throughput.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/recording_windows.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;
using Traffic = Line::Traffic;

namespace {

struct Rig {
    AppState state;
    FakeClock clock;
    RecordingWindows windows { state };
    Throughput throughput { clock, windows };

    // The lights, "down up" as 0 or 1, after a reading of these counters this long after the last.
    QString read(float seconds, std::optional<Traffic> counters)
    {
        clock.advance(seconds);
        throughput.updateThroughput(counters);
        return QStringLiteral("%1 %2").arg(windows.downLight).arg(windows.upLight);
    }
};

} // namespace

class TestConnection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toggleFollowsTheFlagNotTheLine()
    {
        FakeLine line;
        line.setUp(true);
        ConnectionMonitor monitor(line);
        monitor.toggleConnection(false);
        QCOMPARE(line.dials, 1);
        QCOMPARE(line.hangUps, 0);
        line.setUp(false);
        monitor.toggleConnection(true);
        QCOMPARE(line.hangUps, 1);
        QCOMPARE(line.dials, 1);
    }

    // Bytes per second over the time since the last reading, each way against 1024, past 32 bits.
    void ratesAgainstTheThreshold()
    {
        const quint64 base = 5'000'000'000ull;
        QStringList lights;
        for (const auto& [in, out, seconds] :
            { std::tuple { 5000ull, 500ull, 1.0f }, { 1024ull, 1024ull, 1.0f }, { 0ull, 1025ull, 1.0f },
                { 3000ull, 0ull, 2.0f }, { 2000ull, 0ull, 2.0f } }) {
            Rig rig;
            rig.read(0, Traffic { base, base });
            rig.read(1, Traffic { base, base });
            lights.append(rig.read(seconds, Traffic { base + in, base + out }));
        }
        QCOMPARE(lights, (QStringList { "1 0", "0 0", "0 1", "1 0", "0 0" }));
    }

    // The first reading of the run only takes the time: the next measures the whole traffic so far.
    // A reading with no time gone by, or with counters that cannot be read, leaves the lights; a new
    // connection, whose counts start below the old ones, measures nothing.
    void readingsThatMeasureNothing()
    {
        Rig rig;
        rig.windows.downLight = true;
        QStringList lights;
        for (const auto& [seconds, counters] :
            { std::pair { 0.0f, std::optional(Traffic { 900000, 900000 }) },
                { 1.0f, Traffic { 900000, 900000 } }, { 0.0f, Traffic { 900000, 900000 } },
                { 1.0f, std::nullopt }, { 30.0f, Traffic { 3000, 3000 } } })
            lights.append(rig.read(seconds, counters));
        QCOMPARE(lights, (QStringList { "1 0", "1 1", "1 1", "1 1", "0 0" }));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
