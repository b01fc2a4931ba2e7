#include "config_dialog/plan_pages.h"
#include "config_dialog/time_edit.h"
#include "dialog_rig.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QToolButton>

using namespace chronolien;
using namespace chronolien::test;

namespace {

void leave(QLineEdit* edit)
{
    // Moving the focus on is what a user's Tab or click elsewhere does.
    QTest::keyClick(edit, Qt::Key_Tab);
}

void setTimes(DialogRig& rig, const QString& letter, const QString& h, const QString& m, const QString& s)
{
    DialogRig::retype(rig.find<TimeEdit>("txt_" + letter + "h"), h);
    DialogRig::retype(rig.find<TimeEdit>("txt_" + letter + "m"), m);
    DialogRig::retype(rig.find<TimeEdit>("txt_" + letter + "s"), s);
}

} // namespace

class TestPlanPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void backspaceToEmptyGivesReplacement()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Durée du forfait"));
        TimeEdit* minutes = rig.find<TimeEdit>("txt_fm");
        QCOMPARE(minutes->text(), QStringLiteral("50"));
        minutes->setFocus();
        QTest::keyClick(minutes, Qt::Key_End);
        QTest::keyClick(minutes, Qt::Key_Backspace);
        QCOMPARE(minutes->text(), QStringLiteral("5"));
        QTest::keyClick(minutes, Qt::Key_Backspace);
        QCOMPARE(minutes->text(), QStringLiteral("0"));

        QVERIFY(rig.click("Remise à zéro"));
        TimeEdit* day = rig.find<TimeEdit>("txt_raz");
        day->setFocus();
        QTest::keyClick(day, Qt::Key_End);
        QTest::keyClick(day, Qt::Key_Backspace);
        QCOMPARE(day->text(), QStringLiteral("1"));
    }

    void lettersAndLoneSignNeverStay()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Votre temps actuel"));
        TimeEdit* hours = rig.find<TimeEdit>("txt_ah");
        DialogRig::retype(hours, "1x");
        QCOMPARE(hours->text(), QStringLiteral("0"));
        DialogRig::retype(hours, "-");
        QCOMPARE(hours->text(), QStringLiteral("0"));
        // Three characters at most: nothing above 999 can be typed.
        DialogRig::retype(hours, "1234");
        QCOMPARE(hours->text(), QStringLiteral("123"));
    }

    void boundsApplyWhenLeaving_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("left");
        QTest::newRow("minutes 75") << "Durée du forfait" << "txt_fm" << "75" << "75" << "59";
        QTest::newRow("seconds 60") << "Votre temps actuel" << "txt_as" << "60" << "60" << "59";
        QTest::newRow("day 0") << "Remise à zéro" << "txt_raz" << "0" << "0" << "1";
        QTest::newRow("day 32") << "Remise à zéro" << "txt_raz" << "32" << "32" << "31";
        QTest::newRow("leading zeros kept") << "Durée du forfait" << "txt_fh" << "007" << "007" << "007";
    }
    void boundsApplyWhenLeaving()
    {
        QFETCH(QString, entry);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(QString, left);
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click(entry));
        TimeEdit* edit = rig.find<TimeEdit>(field);
        DialogRig::retype(edit, typed);
        QCOMPARE(edit->text(), whileTyping);
        leave(edit);
        QVERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), left);
    }

    void pastedNegativeBecomesZeroWhenLeft()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Durée du forfait"));
        TimeEdit* seconds = rig.find<TimeEdit>("txt_fs");
        QGuiApplication::clipboard()->setText(QStringLiteral("-3"));
        seconds->setFocus();
        QTest::keyClick(seconds, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(seconds, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(seconds->text(), QStringLiteral("-3"));
        leave(seconds);
        QCOMPARE(seconds->text(), QStringLiteral("0"));
    }

    void arrowsStepWithinBounds()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Durée du forfait"));
        TimeEdit* minutes = rig.find<TimeEdit>("txt_fm");
        auto* arrows = rig.find<UpDownArrows>("pm_fm");
        QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
        QCOMPARE(minutes->text(), QStringLiteral("51"));
        DialogRig::retype(minutes, "59");
        QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
        QCOMPARE(minutes->text(), QStringLiteral("59"));
        QTest::mouseClick(rig.find<UpDownArrows>("pm_fs")->downButton(), Qt::LeftButton);
        QCOMPARE(rig.find<TimeEdit>("txt_fs")->text(), QStringLiteral("0"));
        QVERIFY(rig.click("Remise à zéro"));
        QTest::mouseClick(rig.find<UpDownArrows>("pm_raz")->downButton(), Qt::LeftButton);
        QCOMPARE(rig.find<TimeEdit>("txt_raz")->text(), QStringLiteral("1"));
    }

    void planLengthStoresOnlyItsKey_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("limit");
        QTest::newRow("default") << QStringList { "29", "50", "0" } << 107400;
        QTest::newRow("largest") << QStringList { "999", "59", "59" } << 3599999;
        QTest::newRow("minutes over bound") << QStringList { "1", "75", "0" } << 3600 + 59 * 60;
    }
    void planLengthStoresOnlyItsKey()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, limit);
        DialogRig rig;
        rig.state.settings.cpt_limite = 60;
        rig.file.WriteKey("cpt_limite", 60);
        rig.open();
        QVERIFY(rig.click("Durée du forfait"));
        setTimes(rig, "f", typed[0], typed[1], typed[2]);
        const QByteArray before = rig.config();
        const int counterUpdates = rig.windows.counterUpdates;
        auto* ok = rig.find<QPushButton>("bt2_ok");
        QCOMPARE(ok->toolTip(), QStringLiteral("Vos changements ne prendront effet que si vous les validez."));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(rig.state.settings.cpt_limite, limit);
        QCOMPARE(rig.file.ReadKey("cpt_limite"), QString::number(limit));
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "cpt_limite" });
        QCOMPARE(rig.windows.callsOf("setMonthAlertLook"), QStringList { "setMonthAlertLook(0)" });
        QCOMPARE(rig.windows.counterUpdates, counterUpdates);
    }

    void currentTimeTakesFrenchFraction()
    {
        DialogRig rig;
        rig.state.settings.cpt_mois = 3723;
        rig.state.settings.affiche_rebours = false;
        rig.open();
        QVERIFY(rig.click("Votre temps actuel"));
        QCOMPARE(rig.find<TimeEdit>("txt_ah")->text(), QStringLiteral("1"));
        QCOMPARE(rig.find<TimeEdit>("txt_am")->text(), QStringLiteral("2"));
        QCOMPARE(rig.find<TimeEdit>("txt_as")->text(), QStringLiteral("3"));
        setTimes(rig, "a", "0,5", "0", "0");
        const QByteArray before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt1_ok"), Qt::LeftButton);
        QCOMPARE(rig.state.settings.cpt_mois, 1800);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "cpt_mois" });
        QCOMPARE(rig.windows.monthText, QStringLiteral("0:30:00"));
        QCOMPARE(rig.windows.callsOf("setMonthAlertLook"), QStringList { "setMonthAlertLook(0)" });
    }

    void alertStoresBothKeys()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Alerte"));
        auto* red = rig.find<QCheckBox>("vf_alerte1");
        auto* hangUp = rig.find<QCheckBox>("vf_alerte2");
        QVERIFY(red->isChecked());
        QVERIFY(!hangUp->isChecked());
        QTest::mouseClick(red, Qt::LeftButton, {}, QPoint(8, red->height() / 2));
        QTest::mouseClick(hangUp, Qt::LeftButton, {}, QPoint(8, hangUp->height() / 2));
        const QByteArray before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt3_ok"), Qt::LeftButton);
        QCOMPARE(changedKeys(before, rig.config()), (QStringList { "alerte1", "alerte2" }));
        QVERIFY(!rig.state.settings.alerte1);
        QVERIFY(rig.state.settings.alerte2);
        QCOMPARE(rig.windows.callsOf("setMonthAlertLook"), QStringList { "setMonthAlertLook(0)" });
    }

    void resetDayAndResetNow()
    {
        DialogRig rig;
        rig.state.settings.cpt_mois = 5000;
        rig.state.settings.j_raz = 3;
        rig.file.WriteKey("cpt_mois", 5000);
        rig.file.WriteKey("j_raz", 3);
        rig.open();
        QVERIFY(rig.click("Remise à zéro"));
        TimeEdit* day = rig.find<TimeEdit>("txt_raz");
        QCOMPARE(day->text(), QStringLiteral("3"));
        DialogRig::retype(day, "15");
        // The reset goes by the day in memory; the unvalidated 15 is not stored.
        QByteArray before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt_raz"), Qt::LeftButton);
        QCOMPARE(rig.state.settings.cpt_mois, 0);
        QCOMPARE(rig.state.settings.date_raz, QDate(2026, 12, 3));
        QCOMPARE(changedKeys(before, rig.config()), (QStringList { "cpt_mois", "date_raz" }));
        QCOMPARE(day->text(), QStringLiteral("15"));

        before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt4_ok"), Qt::LeftButton);
        QCOMPARE(rig.state.settings.j_raz, qint16(15));
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "j_raz" });
        QCOMPARE(rig.state.settings.date_raz, QDate(2026, 12, 3));
    }
};

QTEST_MAIN(TestPlanPages)
#include "test_plan_pages.moc"
