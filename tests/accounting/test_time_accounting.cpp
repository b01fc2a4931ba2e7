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
    void monthStartsAgainTheDayAfterItsResetDay()
    {
        Rig rig;
        rig.state.settings.cpt_mois = 5000;
        rig.state.sessionSeconds = 42;
        rig.state.settings.affiche_rebours = false;
        rig.fakes.clock.setToday(QDate(2026, 12, 1));
        rig.accounting.checkMonthlyReset();
        QCOMPARE(rig.state.settings.cpt_mois, 5000);
        QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")), QString());

        rig.fakes.clock.setToday(QDate(2026, 12, 2));
        rig.accounting.checkMonthlyReset();
        QCOMPARE(rig.state.settings.cpt_mois, 0);
        QCOMPARE(rig.state.settings.date_raz, QDate(2026, 12, 1));
        QCOMPARE(rig.state.sessionSeconds, 42);
        QCOMPARE(rig.file.readKey(QStringLiteral("cpt_mois")), QStringLiteral("0"));
        QCOMPARE(rig.file.readKey(QStringLiteral("date_raz")), QStringLiteral("01/12/2026"));
        QCOMPARE(rig.windows.monthText, QStringLiteral("0:00:00"));
        QCOMPARE(rig.windows.sessionText, QStringLiteral("0:00:42"));
        QVERIFY(!rig.windows.monthAlert);
    }

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

    void programOffForMonthsResetsOnItsFirstTick()
    {
        Rig rig;
        rig.state.settings.cpt_mois = 99;
        rig.state.settings.date_raz = QDate(2026, 6, 1);
        rig.fakes.clock.setToday(QDate(2026, 12, 6));
        rig.accounting.checkMonthlyReset();
        QCOMPARE(rig.state.settings.cpt_mois, 0);
        QCOMPARE(rig.state.settings.date_raz, QDate(2026, 12, 1));
    }

    void clockPutBackResetsNothing()
    {
        Rig rig;
        rig.state.settings.cpt_mois = 99;
        rig.state.settings.date_raz = QDate(2027, 1, 1);
        rig.fakes.clock.setToday(QDate(2026, 12, 25));
        rig.accounting.checkMonthlyReset();
        QCOMPARE(rig.state.settings.cpt_mois, 99);
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

    void overTheAllowance_data()
    {
        QTest::addColumn<bool>("forfait");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("over");
        QTest::newRow("equal") << true << 107400 << false;
        QTest::newRow("one second more") << true << 107401 << true;
        QTest::newRow("no plan") << false << 500000 << false;
    }
    void overTheAllowance()
    {
        QFETCH(bool, forfait);
        QFETCH(int, month);
        QFETCH(bool, over);
        Rig rig;
        rig.state.settings.forfait = forfait;
        rig.state.settings.cpt_mois = month;
        rig.state.settings.alerte2 = true;
        QCOMPARE(rig.accounting.overAllowance(), over);
        QCOMPARE(rig.accounting.autoDialBlocked(), over);
        rig.state.settings.alerte2 = false;
        QVERIFY(!rig.accounting.autoDialBlocked());
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

    void gaugeFollowsTheCalendar()
    {
        Rig rig;
        rig.state.settings.cpt_limite = 100000;
        rig.state.settings.cpt_mois = 50000;
        rig.fakes.clock.setToday(QDate(2026, 11, 16)); // day 15 of a 30-day month
        rig.accounting.updateGauge();
        QVERIFY(rig.windows.gauge.visible);
        QCOMPARE(rig.windows.gauge.position, 50.0f);
        QCOMPARE(rig.windows.gauge.colour, QColor(Qt::green));

        rig.state.settings.affiche_cpt = false;
        rig.accounting.updateGauge();
        QVERIFY(!rig.windows.gauge.visible);
        rig.state.settings.affiche_cpt = true;
        rig.state.settings.forfait = false;
        rig.accounting.updateGauge();
        QVERIFY(!rig.windows.gauge.visible);
    }
};

QTEST_GUILESS_MAIN(TestTimeAccounting)
#include "test_time_accounting.moc"
