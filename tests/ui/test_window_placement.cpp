// Where the satellite windows hang beside the floating window.
#include "ui/window_placement.h"

#include <QTest>

using namespace chronolien;

class TestWindowPlacement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void counter_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("above");
        QTest::addColumn<int>("counterLeft");
        QTest::addColumn<int>("counterTop");
        QTest::newRow("below") << 5000 << 500 << false << 4640 << 1520;
        QTest::newRow("above, off the screen") << 5000 << 500 << true << 4640 << -420;
        QTest::newRow("at the corner") << 0 << 0 << false << -360 << 1020;
    }

    void counter()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(bool, above);
        QTEST(counterLeft(left), "counterLeft");
        QTEST(counterTop(top, above), "counterTop");
    }

    void mail_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("onTheLeft");
        QTest::addColumn<int>("mailLeft");
        QTest::addColumn<int>("mailTop");
        QTest::newRow("right") << 5000 << 500 << false << 6180 << 360;
        QTest::newRow("left") << 5000 << 500 << true << 2020 << 360;
        QTest::newRow("left, off the screen") << 1000 << 100 << true << -1980 << -40;
    }

    void mail()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(bool, onTheLeft);
        QTEST(mailLeft(left, onTheLeft), "mailLeft");
        QTEST(mailTop(top), "mailTop");
    }
};

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
