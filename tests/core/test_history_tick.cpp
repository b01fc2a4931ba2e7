#include "core_rig.h"
#include "history/history_record.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

qint64 at(int day, int hour, int minute, int second)
{
    return clockSeconds(QDateTime(QDate(2026, 12, day), QTime(hour, minute, second)));
}

} // namespace

class TestHistoryTick : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A connection as the timers see it: its line written when the tick first sees the line up,
    // kept current at the save, closed when the line drops, with the seconds the month counter got
    // and the line's bytes meanwhile. Midnight passes during it.
    void connectionFollowsTheTicks()
    {
        CoreRig rig;
        Settings& settings = rig.state.settings;
        settings.forfait = false;
        settings.cpt_mois = 100;
        rig.fakes.clock.set(86390.0f); // 23:59:50 on the 6th
        rig.ticker.startTiming();
        FakeLine& line = rig.fakes.line;
        const auto check = [&](qint64 end, qint32 seconds, quint64 received, quint64 sent) {
            const QList<ConnectionRecord> records
                = readHistory(rig.folder.file(QStringLiteral("historique.csv")));
            QCOMPARE(records.size(), 1);
            QCOMPARE(records.first(), (ConnectionRecord { at(6, 23, 59, 51), end, seconds, received, sent }));
        };

        line.counters = Line::Traffic { 1000, 100 };
        line.setUp(true);
        rig.tickAfter(1.0f);
        check(at(6, 23, 59, 51), 0, 0, 0);
        for (quint64 i = 1; i <= 9; ++i) {
            line.counters = Line::Traffic { 1000 + 100 * i, 100 + 10 * i };
            rig.tickAfter(1.0f);
        }
        rig.ticker.saveState();
        check(at(7, 0, 0, 0), settings.cpt_mois - 100, 900, 90);

        // The interface is gone by the tick that sees the line down: its bytes are those of the
        // last connected tick. The disconnection's actions set the session to zero.
        rig.shell.onLineDown = [&] { rig.state.sessionSeconds = 0; };
        line.counters = Line::Traffic { 3000, 300 };
        rig.tickAfter(1.0f);
        line.counters.reset();
        line.setUp(false);
        rig.tickAfter(1.0f);
        QCOMPARE(settings.cpt_mois, 110);
        check(at(7, 0, 0, 2), 10, 2000, 200);
    }

    // A line torn by a crash of the system is dropped when the program starts again.
    void startMendsATornLastLine()
    {
        CoreRig rig;
        const QByteArray whole = "debut;fin;secondes;octets_recus;octets_envoyes\n"
                                 "2026-12-05T08:00:00;2026-12-05T09:00:00;3600;1000;200\n";
        rig.folder.writeBytes(QStringLiteral("historique.csv"), whole + "2026-12-06T09:00:00;2026-12-0");
        rig.application.initApplication(rig.folder.path());
        QCOMPARE(rig.folder.readBytes(QStringLiteral("historique.csv")), whole);
    }
};

QTEST_GUILESS_MAIN(TestHistoryTick)
#include "test_history_tick.moc"
