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
        QVERIFY(rig.openAt("Durée du forfait"));
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

    void boundsApplyWhenLeaving_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("left");
        QTest::newRow("minutes 75") << "Durée du forfait"
                                    << "txt_fm"
                                    << "75"
                                    << "75"
                                    << "59";
        QTest::newRow("a letter") << "Votre temps actuel"
                                  << "txt_ah"
                                  << "1x"
                                  << "0"
                                  << "0";
        QTest::newRow("three digits at most") << "Votre temps actuel"
                                              << "txt_ah"
                                              << "1234"
                                              << "123"
                                              << "123";
        QTest::newRow("day 0") << "Remise à zéro"
                               << "txt_raz"
                               << "0"
                               << "0"
                               << "1";
        QTest::newRow("day 32") << "Remise à zéro"
                                << "txt_raz"
                                << "32"
                                << "32"
                                << "31";
    }
    void boundsApplyWhenLeaving()
    {
        QFETCH(QString, entry);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click(entry));
        TimeEdit* edit = rig.find<TimeEdit>(field);
        DialogRig::retype(edit, typed);
        QTEST(edit->text(), "whileTyping");
        leave(edit);
        QTEST(edit->text(), "left");
    }

    void pastedNegativeBecomesZeroWhenLeft()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Durée du forfait"));
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
        QVERIFY(rig.openAt("Durée du forfait"));
        TimeEdit* minutes = rig.find<TimeEdit>("txt_fm");
        auto* arrows = rig.find<UpDownArrows>("pm_fm");
        QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
        QCOMPARE(minutes->text(), QStringLiteral("51"));
        DialogRig::retype(minutes, "59");
        QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
        QCOMPARE(minutes->text(), QStringLiteral("59"));
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
    }
    void planLengthStoresOnlyItsKey()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, limit);
        DialogRig rig;
        rig.state.settings.cpt_limite = 60;
        rig.file.writeKey("cpt_limite", 60);
        QVERIFY(rig.openAt("Durée du forfait"));
        setTimes(rig, "f", typed[0], typed[1], typed[2]);
        QCOMPARE(rig.validate("bt2_ok"), QStringList { "cpt_limite" });
        QCOMPARE(rig.state.settings.cpt_limite, limit);
        QCOMPARE(rig.file.readKey("cpt_limite"), QString::number(limit));
    }

    void currentTimeTakesFrenchFraction()
    {
        DialogRig rig;
        rig.state.settings.cpt_mois = 3723;
        rig.state.settings.affiche_rebours = false;
        QVERIFY(rig.openAt("Votre temps actuel"));
        QCOMPARE(rig.find<TimeEdit>("txt_am")->text(), QStringLiteral("2"));
        setTimes(rig, "a", "0,5", "0", "0");
        QCOMPARE(rig.validate("bt1_ok"), QStringList { "cpt_mois" });
        QCOMPARE(rig.state.settings.cpt_mois, 1800);
        QCOMPARE(rig.windows.monthText, QStringLiteral("0:30:00"));
    }

    void alertStoresBothKeys()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Alerte"));
        for (const char* name : { "vf_alerte1", "vf_alerte2" })
            DialogRig::tick(rig.find<QCheckBox>(QLatin1String(name)));
        QCOMPARE(rig.validate("bt3_ok"), (QStringList { "alerte1", "alerte2" }));
        QVERIFY(!rig.state.settings.alerte1);
        QVERIFY(rig.state.settings.alerte2);
    }

    void resetDayAndResetNow()
    {
        DialogRig rig;
        rig.state.settings.cpt_mois = 5000;
        rig.state.settings.j_raz = 3;
        rig.file.writeKey("cpt_mois", 5000);
        rig.file.writeKey("j_raz", 3);
        QVERIFY(rig.openAt("Remise à zéro"));
        TimeEdit* day = rig.find<TimeEdit>("txt_raz");
        QCOMPARE(day->text(), QStringLiteral("3"));
        DialogRig::retype(day, "15");
        // The reset goes by the day in memory; the unvalidated 15 is not stored.
        QCOMPARE(rig.validate("bt_raz"), (QStringList { "cpt_mois", "date_raz" }));
        QCOMPARE(rig.state.settings.cpt_mois, 0);
        QCOMPARE(rig.state.settings.date_raz, QDate(2026, 12, 3));

        QCOMPARE(rig.validate("bt4_ok"), QStringList { "j_raz" });
        QCOMPARE(rig.state.settings.j_raz, qint16(15));
    }
};

QTEST_MAIN(TestPlanPages)
#include "test_plan_pages.moc"
