#include "connection/connection_monitor.h"
#include "support/fake_line.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestConnectionMonitor : public QObject {
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
};

QTEST_GUILESS_MAIN(TestConnectionMonitor)
#include "test_connection_monitor.moc"
