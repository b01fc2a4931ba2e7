#include "history/connection_history.h"
#include "support/temp_app_folder.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTest>
#include <sys/stat.h>

using namespace chronolien;
using test::TempAppFolder;
using Traffic = std::optional<Line::Traffic>;

namespace {

const QByteArray kHeader = "debut;fin;secondes;octets_recus;octets_envoyes\n";
const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0));

QByteArray line(const char* start, const char* end, int seconds = 60)
{
    return QByteArray(start) + ';' + end + ';' + QByteArray::number(seconds) + ";1000;200\n";
}

} // namespace

class TestConnectionHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A connection as the tick drives it: its line is written when it begins, rewritten in place at
    // each save, and every save leaves a file that reads back with only the unsaved time missing.
    void connectionLine()
    {
        TempAppFolder app;
        const QString path = app.file(QStringLiteral("historique.csv"));
        ConnectionHistory history(path);
        const QDateTime t0(QDate(2026, 12, 6), QTime(23, 59, 50));
        const QByteArray first
            = line("2026-12-06T23:59:50", "2026-12-07T00:00:15", 25).replace(";1000;200", ";4200;250");
        enum Step { Begin, Update, End, UserRewrites };
        struct {
            Step step;
            int at;
            qint32 seconds;
            Traffic traffic;
            QByteArray expected;
        } const steps[] = {
            { Begin, 0, 0, Line::Traffic { 1000, 100 },
                kHeader + "2026-12-06T23:59:50;2026-12-06T23:59:50;0;0;0\n" },
            { Update, 10, 10, Line::Traffic { 5000, 300 },
                kHeader + "2026-12-06T23:59:50;2026-12-07T00:00:00;10;4000;200\n" },
            // The interface was made anew: its counters start again from zero.
            { Update, 20, 20, Line::Traffic { 200, 50 },
                kHeader + "2026-12-06T23:59:50;2026-12-07T00:00:10;20;4200;250\n" },
            // The line is gone, and its counters with it.
            { End, 25, 25, std::nullopt, kHeader + first },
            { Update, 30, 30, Line::Traffic { 900, 90 }, kHeader + first },
            { Begin, 100, 0, std::nullopt,
                kHeader + first + "2026-12-07T00:01:30;2026-12-07T00:01:30;0;0;0\n" },
            // A spreadsheet rewrote the file meanwhile: the next save appends rather than overwrite.
            { UserRewrites, 0, 0, std::nullopt, kHeader + first },
            { Update, 110, 10, std::nullopt,
                kHeader + first + "2026-12-07T00:01:30;2026-12-07T00:01:40;10;0;0\n" },
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
                app.writeBytes(QStringLiteral("historique.csv"), s.expected);
            QCOMPARE(app.readBytes(QStringLiteral("historique.csv")), s.expected);
            if (history.inProgress() && s.step != UserRewrites)
                QCOMPARE(readHistory(path).last(), history.current());
        }
    }

    void tidy_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("setAsideAs");

        const QByteArray a = line("2026-11-02T08:00:00", "2026-11-02T09:00:00");
        const QByteArray b = line("2026-12-05T22:00:00", "2026-12-06T01:00:00");
        QTest::newRow("whole") << kHeader + a + b << kHeader + a + b << QString();
        QTest::newRow("empty") << QByteArray() << QByteArray() << QString();
        QTest::newRow("torn without its line end") << kHeader + a + b.left(30) << kHeader + a << QString();
        QTest::newRow("last line does not read") << kHeader + a + "2026-12-05T22:00:00;\n"
                                                 << kHeader + a << QString();
        QTest::newRow("blank line at the end") << kHeader + a + "\n" << kHeader + a << QString();
        QTest::newRow("spreadsheet's byte order mark and CR LF")
            << "\xEF\xBB\xBF" + kHeader.chopped(1) + "\r\n" + a.chopped(1) + "\r\n"
            << "\xEF\xBB\xBF" + kHeader.chopped(1) + "\r\n" + a.chopped(1) + "\r\n"
            << QString();
        QTest::newRow("no header") << a + b << kHeader + a + b << QString();
        QTest::newRow("header alone, torn") << kHeader.chopped(1) << kHeader << QString();
        QTest::newRow("five years") << kHeader + line("2021-12-05T11:00:00", "2021-12-06T11:59:59")
                + line("2021-12-06T11:00:00", "2021-12-06T12:00:00") + "a line of the user's\n" + a
                                    << kHeader + line("2021-12-06T11:00:00", "2021-12-06T12:00:00")
                + "a line of the user's\n" + a
                                    << QString();
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

    // Where no history can be written the program counts on: one warning, no wait, and the history
    // is written again once the place is usable.
    void unusablePlace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << QStringLiteral("folder missing");
        QTest::newRow("pipe") << QStringLiteral("pipe");
        QTest::newRow("folder in its place") << QStringLiteral("folder");
    }
    void unusablePlace()
    {
        QFETCH(QString, kind);
        TempAppFolder app;
        const QString place = app.file(QStringLiteral("historique.csv"));
        QString path = place;
        if (kind == QLatin1String("folder missing"))
            path = app.file(QStringLiteral("absent/historique.csv"));
        else if (kind == QLatin1String("pipe"))
            QCOMPARE(mkfifo(place.toLocal8Bit().constData(), 0600), 0);
        else
            QVERIFY(QDir(app.path()).mkdir(QStringLiteral("historique.csv")));

        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(QStringLiteral("cannot write the connection history")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QElapsedTimer timer;
        timer.start();
        ConnectionHistory history(path);
        history.tidy(kNow);
        history.begin(kNow, std::nullopt);
        for (int s = 10; s <= 30; s += 10)
            history.update(kNow.addSecs(s), s, std::nullopt);
        history.end(kNow.addSecs(35), 35, std::nullopt);
        QVERIFY(readHistory(path).isEmpty());
        QVERIFY(timer.elapsed() < 2000);

        if (kind == QLatin1String("folder missing")) {
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("again")));
            QVERIFY(QDir(app.path()).mkdir(QStringLiteral("absent")));
            history.begin(kNow.addSecs(60), std::nullopt);
            QCOMPARE(readHistory(path).size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestConnectionHistory)
#include "test_connection_history.moc"
