#include "connection/connection_monitor.h"
#include "support/fake_line.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestConnectionMonitor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void noConnectionAtAll()
    {
        FakeLine line;
        ConnectionMonitor monitor(line);
        QVERIFY(!monitor.IsConnected());
        QVERIFY(line.statusQueries.isEmpty());
    }

    void stateDecides_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("connected");
        QTest::newRow("connected") << 0x2000 << true;
        QTest::newRow("being set up") << 0 << false;
        QTest::newRow("other state") << 0x1000 << false;
    }
    void stateDecides()
    {
        QFETCH(int, state);
        QFETCH(bool, connected);
        FakeLine line;
        line.connections = { QStringLiteral("ppp0") };
        line.states.insert(QStringLiteral("ppp0"), state);
        QCOMPARE(ConnectionMonitor(line).IsConnected(), connected);
    }

    void enumerationErrorReadsAsDownAndHangsUpNothing()
    {
        FakeLine line;
        line.setUp(true);
        line.enumerationOk = false;
        ConnectionMonitor monitor(line);
        QVERIFY(!monitor.IsConnected());
        monitor.HangUp();
        QVERIFY(line.hungUp.isEmpty());
    }

    void twoConnectionsFollowTheFirstAndHangUpBoth()
    {
        FakeLine line;
        line.connections = { QStringLiteral("ppp1"), QStringLiteral("ppp0") };
        line.states.insert(QStringLiteral("ppp0"), LineServices::StateConnected);
        ConnectionMonitor monitor(line);
        QVERIFY(!monitor.IsConnected());
        QCOMPARE(line.statusQueries, QStringList { QStringLiteral("ppp1") });
        monitor.HangUp();
        QCOMPARE(line.hungUp, (QStringList { QStringLiteral("ppp1"), QStringLiteral("ppp0") }));
    }

    void toggleFollowsTheFlagNotTheLine()
    {
        FakeLine line;
        line.setUp(true);
        ConnectionMonitor monitor(line);
        monitor.ToggleConnection(false);
        QCOMPARE(line.dials, 1);
        QVERIFY(line.hungUp.isEmpty());
        monitor.ToggleConnection(true);
        QCOMPARE(line.hungUp, QStringList { QStringLiteral("ppp0") });
        QCOMPARE(line.dials, 1);
    }
};

QTEST_GUILESS_MAIN(TestConnectionMonitor)
#include "test_connection_monitor.moc"
