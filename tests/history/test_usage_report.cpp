#include "history/plan_settings.h"
#include "history/usage_report.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QTest>
#include <sys/stat.h>

using namespace chronolien;

Q_DECLARE_METATYPE(Forecast)

namespace {

ConnectionRecord connection(const char* start, const char* end, qint32 seconds)
{
    const auto at = [](const char* text) {
        return clockSeconds(QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate));
    };
    return ConnectionRecord { at(start), at(end), seconds, 0, 0 };
}

// Today is Sunday 6 December 2026; with resets on the 1st the period runs from 2 December to
// 1 January, and the one before from 2 November to 1 December.
const QDate kToday(2026, 12, 6);
const QList<ConnectionRecord> kHistory {
    connection("2025-12-01T12:00:00", "2025-12-01T13:00:00", 3600), // thirteen periods back
    connection("2025-12-02T00:10:00", "2025-12-02T00:20:00", 600),
    connection("2026-11-30T23:30:00", "2026-12-01T00:30:00", 3600),
    // Across midnight, with a pause the counter did not count: the counted seconds are shared out
    // by clock time.
    connection("2026-12-01T23:30:00", "2026-12-02T00:30:00", 3000),
    connection("2026-12-02T23:00:00", "2026-12-03T01:00:00", 7200),
    connection("2026-12-05T10:00:00", "2026-12-05T10:30:00", 1800),
};

PlanSettings plan(bool forfait, qint32 limit, qint32 cpt_mois, const QDate& date_raz, int j_raz = 1)
{
    return PlanSettings { forfait, limit, cpt_mois, j_raz, date_raz };
}

} // namespace

class TestUsageReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void currentPeriod_data()
    {
        QTest::addColumn<int>("j_raz");
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::newRow("1st") << 1 << QDate(2026, 12, 1) << kToday << QDate(2026, 12, 2) << QDate(2027, 1, 1);
        QTest::newRow("1st, on the reset day")
            << 1 << QDate(2026, 11, 1) << QDate(2026, 12, 1) << QDate(2026, 11, 2) << QDate(2026, 12, 1);
        QTest::newRow("1st, reset due but not made")
            << 1 << QDate(2026, 11, 1) << QDate(2026, 12, 2) << QDate(2026, 12, 2) << QDate(2027, 1, 1);
        QTest::newRow("15th across the year's end")
            << 15 << QDate(2026, 12, 15) << QDate(2027, 1, 3) << QDate(2026, 12, 16) << QDate(2027, 1, 15);
        QTest::newRow("31st in February")
            << 31 << QDate(2027, 1, 31) << QDate(2027, 2, 10) << QDate(2027, 2, 1) << QDate(2027, 2, 28);
        QTest::newRow("31st after February")
            << 31 << QDate(2027, 2, 28) << QDate(2027, 3, 5) << QDate(2027, 3, 1) << QDate(2027, 3, 31);
        QTest::newRow("31st in April")
            << 31 << QDate(2027, 3, 31) << QDate(2027, 4, 30) << QDate(2027, 4, 1) << QDate(2027, 4, 30);
        QTest::newRow("31st, leap February")
            << 31 << QDate(2028, 1, 31) << QDate(2028, 2, 29) << QDate(2028, 2, 1) << QDate(2028, 2, 29);
        QTest::newRow("first start mid-month")
            << 1 << QDate(2026, 12, 10) << QDate(2026, 12, 10) << QDate(2026, 12, 2) << QDate(2027, 1, 1);
        QTest::newRow("no date_raz") << 15 << QDate() << QDate(2026, 12, 20) << QDate(2026, 12, 16)
                                     << QDate(2027, 1, 15);
        QTest::newRow("clock put back")
            << 1 << QDate(2027, 3, 1) << kToday << QDate(2026, 12, 2) << QDate(2027, 1, 1);
    }
    void currentPeriod()
    {
        QFETCH(int, j_raz);
        QFETCH(QDate, date_raz);
        QFETCH(QDate, today);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        const UsagePeriod period = chronolien::currentPeriod(plan(true, 0, 0, date_raz, j_raz), today);
        QCOMPARE(period.first, first);
        QCOMPARE(period.last, last);
    }

    void daysAndPreviousPeriods()
    {
        const UsageReport report = summarizeUsage(kHistory, plan(true, 36000, 0, QDate(2026, 12, 1)), kToday);
        QVERIFY(report.hasHistory);
        QList<qint64> days(31, 0);
        days[0] = 1500 + 3600;
        days[1] = 3600;
        days[3] = 1800;
        QCOMPARE(report.days, days);

        QCOMPARE(report.previous.size(), 12);
        QCOMPARE(report.previous.first().first, QDate(2025, 12, 2));
        QCOMPARE(report.previous.first().seconds, 600);
        QCOMPARE(report.previous.last().first, QDate(2026, 11, 2));
        QCOMPARE(report.previous.last().last, QDate(2026, 12, 1));
        QCOMPARE(report.previous.last().seconds, 3600 + 1500);
        qint64 between = 0;
        for (qsizetype i = 1; i < 11; ++i)
            between += report.previous[i].seconds;
        QCOMPARE(between, 0);
    }

    void forecast_data()
    {
        QTest::addColumn<bool>("forfait");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("cpt_mois");
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<qint64>("used");
        QTest::addColumn<Forecast>("forecast");
        QTest::addColumn<QDate>("runsOutOn");
        const QDate counting(2026, 12, 1);
        // Five days of the period gone, today included.
        QTest::newRow("runs out") << true << 36000 << 10000 << counting << qint64(10000) << Forecast::RunsOut
                                  << QDate(2026, 12, 19);
        QTest::newRow("runs out on the last day")
            << true << 31000 << 5000 << counting << qint64(5000) << Forecast::RunsOut << QDate(2027, 1, 1);
        QTest::newRow("lasts the period")
            << true << 36000 << 3000 << counting << qint64(3000) << Forecast::LastsThePeriod << QDate();
        QTest::newRow("nothing used yet")
            << true << 36000 << 0 << counting << qint64(0) << Forecast::NothingUsed << QDate();
        QTest::newRow("exhausted") << true << 36000 << 36000 << counting << qint64(36000)
                                   << Forecast::Exhausted << QDate();
        QTest::newRow("no plan") << false << 36000 << 10000 << counting << qint64(10000) << Forecast::NoPlan
                                 << QDate();
        // The counter still holds November's time until its next tick: the history's time counts.
        QTest::newRow("reset due") << true << 36000 << 99999 << QDate(2026, 11, 1)
                                   << qint64(5100 + 3600 + 1800) << Forecast::RunsOut << QDate(2026, 12, 19);
    }
    void forecast()
    {
        QFETCH(bool, forfait);
        QFETCH(int, limit);
        QFETCH(int, cpt_mois);
        QFETCH(QDate, date_raz);
        QFETCH(qint64, used);
        QFETCH(Forecast, forecast);
        QFETCH(QDate, runsOutOn);
        const UsageReport report = summarizeUsage(kHistory, plan(forfait, limit, cpt_mois, date_raz), kToday);
        QCOMPARE(report.current.seconds, used);
        QCOMPARE(report.allowance, forfait ? limit : 0);
        QCOMPARE(report.forecast, forecast);
        QCOMPARE(report.runsOutOn, runsOutOn);
    }

    // config.ini is read as the program reads it, and never written, created or waited on.
    void planSettingsAreOnlyRead()
    {
        test::TempAppFolder app;
        const QString config = app.file(QStringLiteral("config.ini"));
        const PlanSettings defaults = readPlanSettings(config);
        QVERIFY(!app.exists(QStringLiteral("config.ini")));
        QCOMPARE(defaults.cpt_limite, 107400);
        QVERIFY(defaults.forfait && !defaults.date_raz.isValid());

        using test::settingsRecord;
        const QByteArray records = settingsRecord(1, "forfait", "Faux") + settingsRecord(2, "cpt_mois", "100")
            + settingsRecord(3, "j_raz", "40") + settingsRecord(4, "date_raz", "1/12/2026")
            + settingsRecord(5, "cpt_mois", "7200");
        app.writeBytes(QStringLiteral("config.ini"), records);
        const PlanSettings read = readPlanSettings(config);
        QCOMPARE(read.forfait, false);
        QCOMPARE(read.cpt_mois, 7200);
        QCOMPARE(read.j_raz, 1);
        QCOMPARE(read.date_raz, QDate(2026, 12, 1));
        QCOMPARE(app.readBytes(QStringLiteral("config.ini")), records);

        QVERIFY(QFile::remove(config));
        QCOMPARE(mkfifo(config.toLocal8Bit().constData(), 0600), 0);
        QCOMPARE(readPlanSettings(config).cpt_limite, 107400);
    }
};

QTEST_GUILESS_MAIN(TestUsageReport)
#include "test_usage_report.moc"
