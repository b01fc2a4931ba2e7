#include "connection/connection_monitor.h"
#include "support/fake_line.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

using State = Line::State;

class TestConnectionMonitor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stateDecides_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("beingSetUp");
        QTest::newRow("down") << State::Down << false << false;
        QTest::newRow("being set up") << State::SettingUp << false << true;
        QTest::newRow("up") << State::Up << true << false;
    }
    void stateDecides()
    {
        QFETCH(State, state);
        FakeLine line;
        line.lineState = state;
        ConnectionMonitor monitor(line);
        QTEST(monitor.isConnected(), "connected");
        QTEST(monitor.lineBeingSetUp(), "beingSetUp");
    }

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
};

QTEST_GUILESS_MAIN(TestConnectionMonitor)
#include "test_connection_monitor.moc"
