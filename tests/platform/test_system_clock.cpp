#include "platform/linux/system_clock.h"

#include <QDateTime>
#include <QTest>

using namespace chronolien;

class TestSystemClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The clock agrees with Qt's local time in a zone far from UTC, where a date read in UTC or a
    // field taken off by one would show.
    void readsTheLocalTime_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("UTC+14") << QByteArray("Pacific/Kiritimati");
        QTest::newRow("UTC-10") << QByteArray("Pacific/Honolulu");
    }
    void readsTheLocalTime()
    {
        QFETCH(QByteArray, zone);
        qputenv("TZ", zone);
        const SystemClock clock;
        const QDateTime before = QDateTime::currentDateTime();
        const QDate today = clock.today();
        const float seconds = clock.secondsSinceMidnight();
        const QDateTime after = QDateTime::currentDateTime();
        if (before.date() != after.date())
            QSKIP("read across midnight");
        QCOMPARE(today, before.date());
        QVERIFY(seconds >= before.time().msecsSinceStartOfDay() / 1000.0f - 0.01f);
        QVERIFY(seconds <= after.time().msecsSinceStartOfDay() / 1000.0f + 0.01f);
    }
};

QTEST_GUILESS_MAIN(TestSystemClock)
#include "test_system_clock.moc"
