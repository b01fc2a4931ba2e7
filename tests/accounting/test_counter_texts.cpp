#include "accounting/counter_texts.h"
#include "accounting/gauge.h"

#include <QColor>
#include <QTest>
#include <limits>

using namespace chronolien;

class TestCounterTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The counters' texts: counting up (the session, the month without a countdown) and counting down
    // to the allowance, signed under 100 hours.
    void monthText_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("allowance");
        QTest::addColumn<bool>("countdown");
        QTest::addColumn<QString>("text");
        const qint32 min = std::numeric_limits<qint32>::min(), max = std::numeric_limits<qint32>::max();
        QTest::newRow("count up") << 3725 << 107400 << false << "1:02:05";
        QTest::newRow("beyond 16-bit hours") << max << 0 << false << "596523:14:07";
        QTest::newRow("negative") << -65 << 0 << false << "-0:01:05";
        QTest::newRow("100 s left") << 107300 << 107400 << true << "-0:01:40";
        QTest::newRow("100 s over") << 107500 << 107400 << true << "+0:01:40";
        QTest::newRow("exactly at") << 107400 << 107400 << true << "-0:00:00";
        QTest::newRow("99:59:59 left") << 1 << 360000 << true << "-99:59:59";
        QTest::newRow("100 h over") << 360000 << 0 << true << "100:00:00";
        QTest::newRow("extremes do not overflow") << min << max << true << "1193046:28:15";
    }
    void monthText()
    {
        QFETCH(int, month);
        QFETCH(int, allowance);
        QFETCH(bool, countdown);
        QTEST(monthCounterText(month, allowance, countdown), "text");
    }

    void trayToolTip()
    {
        const QStringList texts { chronolien::trayToolTip(45296, 107400, false),
            chronolien::trayToolTip(45296, 107400, true), chronolien::trayToolTip(107465, 107400, true) };
        QCOMPARE(texts,
            (QStringList { "Chronolien\nCe mois-ci : 12:34:56",
                "Chronolien\nCe mois-ci : 12:34:56\nReste : 17:15:04",
                "Chronolien\nCe mois-ci : 29:51:05\nDépassement : 0:01:05" }));
    }

    void gauge_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("allowance");
        QTest::addColumn<float>("position");
        QTest::addColumn<double>("left");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("in step") << 15 << 30 << 50000 << 100000 << 50.0f << 680.0 << QColor(Qt::green);
        QTest::newRow("nothing used") << 15 << 30 << 0 << 100000 << 0.0f << 120.0 << QColor(Qt::white);
        QTest::newRow("over") << 29 << 30 << 100001 << 100000 << 100.0f << 1240.0 << QColor(Qt::red);
        QTest::newRow("green from 40") << 10 << 20 << 40000 << 100000 << 40.0f << 568.0 << QColor(Qt::green);
        QTest::newRow("green up to 60") << 10 << 20 << 60000 << 100000 << 60.0f << 792.0 << QColor(Qt::green);
        QTest::newRow("just red") << 10 << 20 << 61000 << 100000 << 61.0f << 803.2 << QColor(Qt::red);
        QTest::newRow("reset day, 1 %") << 0 << 31 << 1000 << 100000 << 50.0f << 680.0 << QColor(Qt::green);
        QTest::newRow("reset day, 3 %") << 0 << 31 << 3000 << 100000 << 100.0f << 1240.0 << QColor(Qt::red);
        QTest::newRow("future reset") << -5 << 30 << 1000 << 100000 << 0.0f << 120.0 << QColor(Qt::white);
        QTest::newRow("no allowance, over") << 10 << 30 << 1 << 0 << 100.0f << 1240.0 << QColor(Qt::red);
    }
    void gauge()
    {
        QFETCH(int, days);
        QFETCH(int, period);
        QFETCH(int, month);
        QFETCH(int, allowance);
        QFETCH(double, left);
        const GaugeView view = computeGauge(days, period, month, allowance);
        QVERIFY(view.visible);
        QTEST(view.position, "position");
        QVERIFY2(qAbs(view.leftTwips - left) < 0.01, qPrintable(QString::number(view.leftTwips)));
        QTEST(view.colour, "colour");
    }
};

QTEST_GUILESS_MAIN(TestCounterTexts)
#include "test_counter_texts.moc"
