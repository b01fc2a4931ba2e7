#include "accounting/time_accounting.h"
#include "support/logic_rig.h"

#include <QTest>
#include <algorithm>

using namespace chronolien;
using namespace chronolien::test;

namespace {

const QString kExpired = QStringLiteral("Votre connection a été interrompu car votre forfait a expiré.");

// One run of the program's accounting over fakes and a real config.ini in a temporary folder.
struct Rig : LogicRig {
    Rig()
    {
        state.appFolder = folder.path();
        state.settings.date_raz = QDate(2026, 11, 1);
        fakes.clock.setToday(QDate(2026, 11, 20));
        fakes.line.setUp(true);
    }
};

} // namespace

class TestTimeAccounting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Day after day for two years, a leap year among them, through the tick's own entry point: the
    // month starts again once a month, the day after its reset day, which is the month's last day
    // when the month is shorter; the alert look goes with the old month.
    void monthlyResetWalk_data()
    {
        QTest::addColumn<int>("j_raz");
        for (int j : { 1, 28, 29, 30, 31 })
            QTest::newRow(qPrintable(QStringLiteral("j_raz %1").arg(j))) << j;
    }
    void monthlyResetWalk()
    {
        QFETCH(int, j_raz);
        Rig rig;
        Settings& s = rig.state.settings;
        s.j_raz = qint16(j_raz);
        s.date_raz = QDate(2026, 12, j_raz);
        s.affiche_rebours = false;
        rig.state.sessionSeconds = 42;
        int resets = 0;
        for (QDate day(2027, 1, 2); day <= QDate(2029, 1, 1); day = day.addDays(1)) {
            rig.fakes.clock.setToday(day);
            s.cpt_mois = 1;
            rig.windows.monthText.clear();
            rig.windows.monthAlert = true; // the old month ran over its allowance
            rig.accounting.checkMonthlyReset();
            if (s.cpt_mois != 0) {
                QVERIFY(rig.windows.monthAlert);
                continue;
            }
            ++resets;
            QCOMPARE(s.date_raz.addDays(1), day);
            QCOMPARE(s.date_raz.day(), std::min(j_raz, s.date_raz.daysInMonth()));
            QCOMPARE(rig.file.readKey(QStringLiteral("date_raz")),
                s.date_raz.toString(QStringLiteral("dd/MM/yyyy")));
            QCOMPARE(rig.windows.monthText, QStringLiteral("0:00:00"));
            QVERIFY(!rig.windows.monthAlert);
        }
        QCOMPARE(resets, 24);
        QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")), QStringLiteral("0"));
        QCOMPARE(rig.state.sessionSeconds, 42);
    }

    // A clock that jumped: the program was off for months, or the clock was put back.
    void resetAfterAJump_data()
    {
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("j_raz");
        QTest::addColumn<QDate>("after"); // date_raz after the tick; unchanged when nothing reset
        // Back on a reset day: today still belongs to the month begun after the previous reset day.
        QTest::newRow("off for months, back on the reset day")
            << QDate(2026, 6, 1) << QDate(2026, 12, 1) << 1 << QDate(2026, 11, 1);
        QTest::newRow("two boundaries, before the day")
            << QDate(2026, 10, 20) << QDate(2026, 12, 1) << 20 << QDate(2026, 11, 20);
        QTest::newRow("clock put back") << QDate(2027, 1, 1) << QDate(2026, 12, 25) << 1 << QDate(2027, 1, 1);
    }
    void resetAfterAJump()
    {
        QFETCH(QDate, date_raz);
        QFETCH(QDate, today);
        QFETCH(int, j_raz);
        QFETCH(QDate, after);
        Rig rig;
        rig.state.settings.cpt_mois = 99;
        rig.state.settings.date_raz = date_raz;
        rig.state.settings.j_raz = qint16(j_raz);
        rig.fakes.clock.setToday(today);
        rig.accounting.checkMonthlyReset();
        QCOMPARE(rig.state.settings.date_raz, after);
        QCOMPARE(rig.state.settings.cpt_mois, after == date_raz ? 99 : 0);
    }

    void resetButtonInAShortMonthTakesItsLastDay()
    {
        Rig rig;
        rig.state.settings.j_raz = 31;
        rig.fakes.clock.setToday(QDate(2027, 4, 12));
        rig.accounting.resetMonth();
        QCOMPARE(rig.state.settings.date_raz, QDate(2027, 4, 30));
        rig.state.settings.j_raz = 30;
        rig.fakes.clock.setToday(QDate(2027, 2, 3));
        rig.accounting.resetMonth();
        QCOMPARE(rig.state.settings.date_raz, QDate(2027, 2, 28));
    }

    void redCounterOpensTheCounterWindow()
    {
        Rig rig;
        rig.state.settings.affiche_cpt = false;
        rig.state.settings.affiche_actu = false;
        rig.accounting.planExceeded();
        QVERIFY(rig.windows.monthAlert);
        QVERIFY(rig.state.settings.affiche_cpt);
        QCOMPARE(rig.windows.callsOf(QStringLiteral("applyCounterWindow")).size(), 1);
        QVERIFY(rig.windows.callsOf(QStringLiteral("showFloatingWindow")).isEmpty()); // flag 4 is off
        QVERIFY(rig.fakes.line.hangUps == 0);
        QVERIFY(rig.fakes.messages.shown.isEmpty());

        rig.accounting.planExceeded(); // the window is open now: not applied again
        QCOMPARE(rig.windows.callsOf(QStringLiteral("applyCounterWindow")).size(), 1);
    }

    void forcedHangUpWithItsMessage()
    {
        Rig rig;
        rig.state.settings.alerte1 = false;
        rig.state.settings.alerte2 = true;
        rig.state.settings.affiche_auto = QStringLiteral("00010");
        rig.state.settings.affiche_actu = false;
        rig.accounting.planExceeded();
        QVERIFY(!rig.windows.monthAlert);
        QCOMPARE(rig.windows.callsOf(QStringLiteral("showFloatingWindow")).size(), 1);
        QCOMPARE(rig.fakes.line.hangUps, 1);
        QCOMPARE(rig.fakes.messages.shown.size(), 1);
        QCOMPARE(rig.fakes.messages.shown[0].text, kExpired);
        QCOMPARE(rig.fakes.messages.shown[0].style, StyleInformation);
    }

    void clearingTheAlertClosesOnlyWhatThePlanOpened_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("closes");
        QTest::newRow("plan only") << "00010" << true;
        QTest::newRow("plan and mail") << "00110" << true;
        QTest::newRow("plan and connection") << "01010" << false;
        QTest::newRow("plan and always") << "10010" << false;
        QTest::newRow("plan and last time") << "00011" << false;
        QTest::newRow("mail only") << "00100" << false;
    }
    void clearingTheAlertClosesOnlyWhatThePlanOpened()
    {
        QFETCH(QString, flags);
        QFETCH(bool, closes);
        Rig rig;
        rig.state.settings.affiche_auto = flags;
        rig.state.settings.affiche_actu = true;
        rig.windows.monthAlert = true;
        rig.accounting.clearPlanAlert();
        QCOMPARE(rig.windows.callsOf(QStringLiteral("hideFloatingWindow")).size(), closes ? 1 : 0);
        QVERIFY(!rig.windows.monthAlert);
    }

    void countdownWithoutAPlanCountsUp()
    {
        Rig rig;
        rig.state.settings.forfait = false;
        rig.state.settings.cpt_mois = 60;
        rig.accounting.updateCounterDisplay();
        QCOMPARE(rig.windows.monthText, QStringLiteral("0:01:00"));
    }

    // Half the allowance used at half the plan's month: the middle, whatever the month's length.
    void gaugeFollowsTheCalendar_data()
    {
        QTest::addColumn<QDate>("date_raz");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("allowance");
        QTest::addColumn<int>("month");
        QTest::newRow("15 of 30 days") << QDate(2026, 11, 1) << QDate(2026, 11, 16) << 100000 << 50000;
        QTest::newRow("14 of 28 days, from 31 January")
            << QDate(2027, 1, 31) << QDate(2027, 2, 14) << 280000 << 140000;
        QTest::newRow("14 of 29 days, leap February")
            << QDate(2028, 2, 1) << QDate(2028, 2, 15) << 290000 << 140000;
    }
    void gaugeFollowsTheCalendar()
    {
        QFETCH(QDate, date_raz);
        QFETCH(QDate, today);
        Rig rig;
        Settings& s = rig.state.settings;
        s.date_raz = date_raz;
        QFETCH(int, allowance);
        QFETCH(int, month);
        s.cpt_limite = allowance;
        s.cpt_mois = month;
        rig.fakes.clock.setToday(today);
        rig.accounting.updateGauge();
        QVERIFY(rig.windows.gauge.visible);
        QCOMPARE(rig.windows.gauge.position, 50.0f);
        QCOMPARE(rig.windows.gauge.colour, QColor(Qt::green));

        // Hidden with the counter window, and without a plan.
        s.affiche_cpt = false;
        rig.accounting.updateGauge();
        QVERIFY(!rig.windows.gauge.visible);
        s.affiche_cpt = true;
        s.forfait = false;
        rig.accounting.updateGauge();
        QVERIFY(!rig.windows.gauge.visible);
    }
};

QTEST_GUILESS_MAIN(TestTimeAccounting)
#include "test_time_accounting.moc"
