#include "accounting/time_accounting.h"
#include "support/logic_rig.h"

#include <QTest>
#include <algorithm>

using namespace chronolien;
using namespace chronolien::test;

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
        LogicRig rig;
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
            QCOMPARE(rig.windows.monthAlert, s.cpt_mois != 0);
            if (s.cpt_mois != 0)
                continue;
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

    // A clock that jumped (the program was off for months: back on a reset day, today belongs to the
    // month begun after the previous one; or put back), and "Remettre à zéro" in a short month.
    void resetAfterAJumpOrByTheButton()
    {
        QStringList seen, expected;
        for (const auto& [button, date_raz, today, j_raz, after] :
            { std::tuple { false, QDate(2026, 6, 1), QDate(2026, 12, 1), 1, QDate(2026, 11, 1) }, // back
                { false, QDate(2027, 1, 1), QDate(2026, 12, 25), 1, QDate(2027, 1, 1) }, // clock put back
                { true, QDate(2027, 1, 1), QDate(2027, 4, 12), 31, QDate(2027, 4, 30) } }) { // 31 in April
            LogicRig rig;
            Settings& s = rig.state.settings;
            s.cpt_mois = 99;
            s.date_raz = date_raz;
            s.j_raz = qint16(j_raz);
            rig.fakes.clock.setToday(today);
            button ? rig.accounting.resetMonth() : rig.accounting.checkMonthlyReset();
            seen.append(s.date_raz.toString(Qt::ISODate) + ' ' + QString::number(s.cpt_mois));
            expected.append(after.toString(Qt::ISODate) + (after == date_raz ? " 99" : " 0"));
        }
        QCOMPARE(seen, expected);
    }

    void planExceededByTheAlertSettings()
    {
        LogicRig rig;
        Settings& s = rig.state.settings;
        s.affiche_cpt = s.affiche_actu = false;
        rig.accounting.planExceeded();
        rig.accounting.planExceeded(); // the counter window is open now: not applied again
        QVERIFY(s.affiche_cpt);
        QCOMPARE(
            rig.windows.calls.join(u','), "setMonthAlertLook(1),applyCounterWindow,setMonthAlertLook(1)");
        QCOMPARE(rig.fakes.line.hangUps, 0);
        QVERIFY(rig.fakes.messages.shown.isEmpty());

        // The forced hang-up, with its message; flag 4 opens the floating window.
        rig.windows.calls.clear();
        s.alerte1 = false;
        s.alerte2 = true;
        s.affiche_auto = QStringLiteral("00010");
        rig.accounting.planExceeded();
        QCOMPARE(rig.windows.calls, QStringList { "showFloatingWindow" });
        QCOMPARE(rig.fakes.line.hangUps, 1);
        QCOMPARE(rig.fakes.messages.texts(),
            QStringList { "Votre connection a été interrompu car votre forfait a expiré." });
        QCOMPARE(rig.fakes.messages.shown[0].style, StyleInformation);
    }

    // Closed only when the plan's flag opened it (with or without mail's), never against another flag.
    void clearingTheAlertClosesOnlyWhatThePlanOpened()
    {
        QStringList closed;
        for (const char* flags : { "00010", "00110", "01010", "10010", "00011", "00100" }) {
            LogicRig rig;
            rig.state.settings.affiche_auto = QLatin1String(flags);
            rig.state.settings.affiche_actu = true;
            rig.windows.monthAlert = true;
            rig.accounting.clearPlanAlert();
            QVERIFY(!rig.windows.monthAlert);
            if (rig.windows.callsOf("hideFloatingWindow") == 1)
                closed.append(QLatin1String(flags));
        }
        QCOMPARE(closed, (QStringList { "00010", "00110" }));
    }

    // Half the allowance used at half the plan's month is the gauge's middle, whatever the month's
    // length. Without a plan, no gauge and the month counter counts up.
    void gaugeFollowsTheCalendar()
    {
        LogicRig rig;
        Settings& s = rig.state.settings;
        QList<float> positions;
        for (const auto& [date_raz, today, allowance, month] :
            { std::tuple { QDate(2026, 11, 1), QDate(2026, 11, 16), 100000, 50000 }, // 15 of 30 days
                { QDate(2027, 1, 31), QDate(2027, 2, 14), 280000, 140000 }, // 14 of 28, from 31 January
                { QDate(2028, 2, 1), QDate(2028, 2, 15), 290000, 140000 } }) { // 14 of 29, leap year
            s.date_raz = date_raz;
            s.cpt_limite = allowance;
            s.cpt_mois = month;
            rig.fakes.clock.setToday(today);
            rig.accounting.updateGauge();
            QVERIFY(rig.windows.gauge.visible && rig.windows.gauge.colour == QColor(Qt::green));
            positions.append(rig.windows.gauge.position);
        }
        QCOMPARE(positions, QList<float>(3, 50.0f));
        rig.fakes.clock.setToday(QDate(2028, 2, 16)); // a day on, nothing else changed: it moves
        rig.accounting.updateGauge();
        QVERIFY(rig.windows.gauge.position != 50.0f);

        s.affiche_cpt = false; // hidden with the counter window
        rig.accounting.updateGauge();
        QVERIFY(!rig.windows.gauge.visible);
        s.affiche_cpt = true;
        s.forfait = false;
        rig.accounting.updateGauge();
        rig.accounting.updateCounterDisplay();
        QVERIFY(!rig.windows.gauge.visible);
        QCOMPARE(rig.windows.monthText, QStringLiteral("38:53:20"));
    }
};

QTEST_GUILESS_MAIN(TestTimeAccounting)
#include "test_time_accounting.moc"
