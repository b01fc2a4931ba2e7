#include "history/connection_history.h"
#include "history/plan_settings.h"
#include "history/usage_report.h"
#include "support/settings_record.h"
#include "support/temp_app_folder.h"

#include <QTest>
#include <sys/stat.h>

using namespace chronolien;
using test::TempAppFolder;
using Traffic = std::optional<Line::Traffic>;

Q_DECLARE_METATYPE(Forecast)

namespace {

const QByteArray kHeader = "debut;fin;secondes;octets_recus;octets_envoyes\n";
const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0));
// With resets on the 1st, today's period runs from 2 December to 1 January.
const QDate kToday(2026, 12, 6);

QByteArray line(const char* start, const char* end, int seconds = 60)
{
    return QByteArray(start) + ';' + end + ';' + QByteArray::number(seconds) + ";1000;200\n";
}

QDate day(const char* iso)
{
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

ConnectionRecord connection(const char* start, const char* end, qint32 seconds)
{
    const auto at = [](const char* text) {
        return clockSeconds(QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate));
    };
    return ConnectionRecord { at(start), at(end), seconds, 0, 0 };
}

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

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A connection as the tick drives it: its line is written when it begins, rewritten in place at
    // each save; counters restart with a new interface; a file rewritten by someone else is appended to.
    void connectionLine()
    {
        TempAppFolder app;
        const QString path = app.file(QStringLiteral("historique.csv"));
        ConnectionHistory history(path);
        const QDateTime t0(QDate(2026, 12, 6), QTime(23, 59, 50));
        const QByteArray first
            = line("2026-12-06T23:59:50", "2026-12-07T00:00:15", 25).replace(";1000;200", ";4200;250");
        enum Step { Begin, Update, End, UserRewrites };
        struct Row {
            Step step;
            int at;
            qint32 seconds;
            Traffic traffic;
            QByteArray lines; // after the header
        };
        const Row steps[] = {
            { Begin, 0, 0, Line::Traffic { 1000, 100 }, "2026-12-06T23:59:50;2026-12-06T23:59:50;0;0;0\n" },
            { Update, 10, 10, Line::Traffic { 5000, 300 },
                "2026-12-06T23:59:50;2026-12-07T00:00:00;10;4000;200\n" },
            // The interface was made anew: its counters start again from zero.
            { Update, 20, 20, Line::Traffic { 200, 50 },
                "2026-12-06T23:59:50;2026-12-07T00:00:10;20;4200;250\n" },
            // The line is gone, and its counters with it.
            { End, 25, 25, std::nullopt, first },
            { Update, 30, 30, Line::Traffic { 900, 90 }, first },
            { Begin, 100, 0, std::nullopt, first + "2026-12-07T00:01:30;2026-12-07T00:01:30;0;0;0\n" },
            // A spreadsheet rewrote the file meanwhile: the next save appends rather than overwrite.
            { UserRewrites, 0, 0, std::nullopt, first },
            { Update, 110, 10, std::nullopt, first + "2026-12-07T00:01:30;2026-12-07T00:01:40;10;0;0\n" },
        };
        for (const auto& s : steps) {
            const QDateTime now = t0.addSecs(s.at);
            if (s.step == Begin)
                history.begin(now, s.traffic);
            else if (s.step == Update)
                history.update(now, s.seconds, s.traffic);
            else if (s.step == End)
                history.end(now, s.seconds, s.traffic);
            else
                app.writeBytes(QStringLiteral("historique.csv"), kHeader + s.lines);
            QCOMPARE(app.readBytes(QStringLiteral("historique.csv")), kHeader + s.lines);
        }
    }

    void tidy_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("setAsideAs");
        const QByteArray a = line("2026-11-02T08:00:00", "2026-11-02T09:00:00");
        const QByteArray b = line("2026-12-05T22:00:00", "2026-12-06T01:00:00");
        const QByteArray old = line("2021-12-05T11:00:00", "2021-12-06T11:59:59");
        const QByteArray kept = line("2021-12-06T11:00:00", "2021-12-06T12:00:00") + "a line of the user's\n";
        const QByteArray crlf = "\xEF\xBB\xBF" + kHeader.chopped(1) + "\r\n" + a.chopped(1) + "\r\n";
        QTest::newRow("whole") << kHeader + a + b << kHeader + a + b << QString();
        QTest::newRow("torn without its line end") << kHeader + a + b.left(30) << kHeader + a << QString();
        QTest::newRow("last line does not read") << kHeader + a + "2026-12-05T22:00:00;\n"
                                                 << kHeader + a << QString();
        QTest::newRow("spreadsheet's byte order mark and CR LF") << crlf << crlf << QString();
        QTest::newRow("no header") << a + b << kHeader + a + b << QString();
        QTest::newRow("five years") << kHeader + old + kept + a << kHeader + kept + a << QString();
        QTest::newRow("not a history") << QByteArray("nom;prenom\nDupont;Jean\n") << QByteArray()
                                       << QStringLiteral("historique.csv.bak");
        QTest::newRow("not a history, a copy already set aside")
            << QByteArray("\x89PNG\r\n") << QByteArray() << QStringLiteral("historique.csv.bak2");
    }
    void tidy()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, setAsideAs);
        TempAppFolder app;
        const QByteArray olderCopy = "an older copy\n";
        if (setAsideAs.endsWith(QLatin1Char('2')))
            app.writeBytes(QStringLiteral("historique.csv.bak"), olderCopy);
        app.writeBytes(QStringLiteral("historique.csv"), before);

        ConnectionHistory(app.file(QStringLiteral("historique.csv"))).tidy(kNow);

        QCOMPARE(app.readBytes(QStringLiteral("historique.csv")), after);
        QStringList files { QStringLiteral("historique.csv") };
        if (!setAsideAs.isEmpty()) {
            QCOMPARE(app.readBytes(setAsideAs), before);
            files = QStringList { QStringLiteral("historique.csv.bak"), setAsideAs };
            files.removeDuplicates();
        }
        // Nothing else: no temporary file left behind, and an older copy set aside is kept.
        QCOMPARE(QDir(app.path()).entryList(QDir::Files), files);
        if (files.size() == 2)
            QCOMPARE(app.readBytes(files.first()), olderCopy);
    }

    // Where no history can be written the program counts on (a pipe, a missing folder): one warning
    // each, no wait (a pipe is never opened), and the history is written again once the place is usable.
    void unusablePlace()
    {
        TempAppFolder app;
        const QString pipe = app.file(QStringLiteral("historique.csv"));
        QCOMPARE(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        for (const QString& path : { pipe, app.file(QStringLiteral("absent/historique.csv")) }) {
            QTest::ignoreMessage(
                QtWarningMsg, QRegularExpression(QStringLiteral("cannot write the connection history")));
            ConnectionHistory history(path);
            history.tidy(kNow);
            history.begin(kNow, std::nullopt);
            history.update(kNow.addSecs(10), 10, std::nullopt);
            history.end(kNow.addSecs(35), 35, std::nullopt);
            QVERIFY(readHistory(path).isEmpty());
            if (path != pipe) {
                QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("again")));
                QVERIFY(QDir(app.path()).mkdir(QStringLiteral("absent")));
                history.begin(kNow.addSecs(60), std::nullopt);
                QCOMPARE(readHistory(path).size(), 1);
            }
        }
    }

    void currentPeriod_data()
    {
        QTest::addColumn<int>("j_raz");
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        const auto row = [](const char* name, int j, const char* raz, const char* today, const char* first,
                             const char* last) {
            QTest::newRow(name) << j << day(raz) << day(today) << day(first) << day(last);
        };
        row("1st", 1, "2026-12-01", "2026-12-06", "2026-12-02", "2027-01-01");
        row("1st, on the reset day", 1, "2026-11-01", "2026-12-01", "2026-11-02", "2026-12-01");
        row("1st, reset due but not made", 1, "2026-11-01", "2026-12-02", "2026-12-02", "2027-01-01");
        row("15th across the year's end", 15, "2026-12-15", "2027-01-03", "2026-12-16", "2027-01-15");
        row("31st in February", 31, "2027-01-31", "2027-02-10", "2027-02-01", "2027-02-28");
        row("31st after February", 31, "2027-02-28", "2027-03-05", "2027-03-01", "2027-03-31");
        row("no date_raz", 15, "", "2026-12-20", "2026-12-16", "2027-01-15");
        row("clock put back", 1, "2027-03-01", "2026-12-06", "2026-12-02", "2027-01-01");
    }
    void currentPeriod()
    {
        QFETCH(int, j_raz);
        QFETCH(QDate, date_raz);
        QFETCH(QDate, today);
        const UsagePeriod period
            = chronolien::currentPeriod(PlanSettings { true, 0, 0, j_raz, date_raz }, today);
        QTEST(period.first, "first");
        QTEST(period.last, "last");
    }

    void daysAndPreviousPeriods()
    {
        const UsageReport report
            = summarizeUsage(kHistory, PlanSettings { true, 36000, 0, 1, day("2026-12-01") }, kToday);
        QVERIFY(report.hasHistory);
        QCOMPARE(report.days, QList<qint64>({ 1500 + 3600, 3600, 0, 1800 }) + QList<qint64>(27, 0));
        QList<qint64> previous;
        for (const UsagePeriod& p : report.previous)
            previous.append(p.seconds);
        QCOMPARE(previous, (QList<qint64> { 600, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3600 + 1500 }));
        QCOMPARE(report.previous.first().first, day("2025-12-02"));
        QCOMPARE(report.previous.last().first, day("2026-11-02"));
        QCOMPARE(report.previous.last().last, day("2026-12-01"));
    }

    // Five days of the period gone, today included. The graph window's test shows a plan running out
    // and no plan.
    void forecast_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("cpt_mois");
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<qint64>("used");
        QTest::addColumn<Forecast>("forecast");
        QTest::addColumn<QDate>("runsOutOn");
        const QDate counting = day("2026-12-01");
        QTest::newRow("runs out on the last day")
            << 31000 << 5000 << counting << 5000ll << Forecast::RunsOut << day("2027-01-01");
        QTest::newRow("lasts the period")
            << 36000 << 3000 << counting << 3000ll << Forecast::LastsThePeriod << QDate();
        QTest::newRow("nothing used yet")
            << 36000 << 0 << counting << 0ll << Forecast::NothingUsed << QDate();
        QTest::newRow("exhausted") << 36000 << 36000 << counting << 36000ll << Forecast::Exhausted << QDate();
        // The counter still holds November's time until its next tick: the history's time counts.
        QTest::newRow("reset due") << 36000 << 99999 << day("2026-11-01") << 10500ll << Forecast::RunsOut
                                   << day("2026-12-19");
    }
    void forecast()
    {
        QFETCH(int, limit);
        QFETCH(int, cpt_mois);
        QFETCH(QDate, date_raz);
        const UsageReport report
            = summarizeUsage(kHistory, PlanSettings { true, limit, cpt_mois, 1, date_raz }, kToday);
        QTEST(report.current.seconds, "used");
        QTEST(report.forecast, "forecast");
        QTEST(report.runsOutOn, "runsOutOn");
    }

    // config.ini is read as the program reads it (the graph window's test reads the plan through it),
    // and never written, created or waited on; a reset day out of range is the default's.
    void planSettingsAreOnlyRead()
    {
        TempAppFolder app;
        const QString config = app.file(QStringLiteral("config.ini"));
        QCOMPARE(readPlanSettings(config).cpt_limite, 107400);
        QVERIFY(!app.exists(QStringLiteral("config.ini")));
        const QByteArray records
            = test::settingsRecord(1, "j_raz", "40") + test::settingsRecord(2, "cpt_limite", "7200");
        app.writeBytes(QStringLiteral("config.ini"), records);
        const PlanSettings read = readPlanSettings(config);
        QVERIFY(read.j_raz == 1 && read.cpt_limite == 7200);
        QCOMPARE(app.readBytes(QStringLiteral("config.ini")), records);
        QVERIFY(QFile::remove(config));
        QCOMPARE(mkfifo(config.toLocal8Bit().constData(), 0600), 0);
        QCOMPARE(readPlanSettings(config).cpt_limite, 107400);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
