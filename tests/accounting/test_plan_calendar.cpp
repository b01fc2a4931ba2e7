#include "accounting/plan_calendar.h"

#include <QTest>

using namespace chronolien;

class TestPlanCalendar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void resetDue_data()
    {
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("j_raz");
        QTest::addColumn<bool>("due");
        QTest::newRow("reset day itself") << QDate(2026, 11, 1) << QDate(2026, 12, 1) << 1 << false;
        QTest::newRow("day after") << QDate(2026, 11, 1) << QDate(2026, 12, 2) << 1 << true;
        QTest::newRow("same month") << QDate(2026, 11, 1) << QDate(2026, 11, 30) << 1 << false;
        QTest::newRow("months away") << QDate(2026, 8, 15) << QDate(2026, 10, 3) << 15 << true;
        QTest::newRow("two boundaries, early day") << QDate(2026, 10, 20) << QDate(2026, 12, 1) << 20 << true;
        QTest::newRow("in the future") << QDate(2027, 1, 1) << QDate(2026, 12, 25) << 1 << false;
        QTest::newRow("future, next month after the day")
            << QDate(2026, 12, 15) << QDate(2027, 1, 16) << 15 << true;
        QTest::newRow("31 in February, on its last day")
            << QDate(2027, 1, 31) << QDate(2027, 2, 28) << 31 << false;
        QTest::newRow("31 after February") << QDate(2027, 1, 31) << QDate(2027, 3, 1) << 31 << true;
        QTest::newRow("31 in April, on the 30th") << QDate(2027, 3, 31) << QDate(2027, 4, 30) << 31 << false;
        QTest::newRow("31 after April") << QDate(2027, 3, 31) << QDate(2027, 5, 1) << 31 << true;
        QTest::newRow("30 after a short reset") << QDate(2027, 2, 28) << QDate(2027, 3, 31) << 30 << true;
    }
    void resetDue()
    {
        QFETCH(QDate, date_raz);
        QFETCH(QDate, today);
        QFETCH(int, j_raz);
        QFETCH(bool, due);
        QCOMPARE(monthlyResetDue(date_raz, today, j_raz), due);
    }

    void resetDays_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("j_raz");
        QTest::addColumn<QDate>("thisMonth");
        QTest::addColumn<QDate>("lastBefore");
        QTest::newRow("day 1") << QDate(2026, 12, 2) << 1 << QDate(2026, 12, 1) << QDate(2026, 12, 1);
        QTest::newRow("31 in April") << QDate(2027, 4, 10) << 31 << QDate(2027, 4, 30) << QDate(2027, 3, 31);
        QTest::newRow("30 in February")
            << QDate(2027, 2, 5) << 30 << QDate(2027, 2, 28) << QDate(2027, 1, 30);
        QTest::newRow("leap February") << QDate(2028, 3, 1) << 31 << QDate(2028, 3, 31) << QDate(2028, 2, 29);
        QTest::newRow("January from December")
            << QDate(2027, 1, 3) << 15 << QDate(2027, 1, 15) << QDate(2026, 12, 15);
    }
    void resetDays()
    {
        QFETCH(QDate, today);
        QFETCH(int, j_raz);
        QFETCH(QDate, thisMonth);
        QFETCH(QDate, lastBefore);
        QCOMPARE(resetDayOfMonth(today, j_raz), thisMonth);
        QCOMPARE(lastResetDayBefore(today, j_raz), lastBefore);
    }

    // Day after day for two years, the month starts again exactly once a month, whatever the day.
    void resetsAreMonthly_data()
    {
        QTest::addColumn<int>("j_raz");
        for (int j : { 1, 15, 28, 29, 30, 31 })
            QTest::newRow(qPrintable(QString::number(j))) << j;
    }
    void resetsAreMonthly()
    {
        QFETCH(int, j_raz);
        QDate date_raz = lastResetDayBefore(QDate(2027, 1, 1), j_raz);
        int resets = 0;
        for (QDate day(2027, 1, 1); day <= QDate(2029, 1, 1); day = day.addDays(1)) {
            if (monthlyResetDue(date_raz, day, j_raz)) {
                ++resets;
                date_raz = lastResetDayBefore(day, j_raz);
                QCOMPARE(date_raz.addDays(1), day);
            }
        }
        QCOMPARE(resets, 24);
    }

    void periods()
    {
        QCOMPARE(periodDays(QDate(2026, 11, 1)), 30);
        QCOMPARE(periodDays(QDate(2027, 1, 31)), 28);
        QCOMPARE(periodDays(QDate(2028, 2, 1)), 29);
        QCOMPARE(daysSinceReset(QDate(2026, 11, 1), QDate(2026, 11, 16)), 15);
    }
};

QTEST_GUILESS_MAIN(TestPlanCalendar)
#include "test_plan_calendar.moc"
