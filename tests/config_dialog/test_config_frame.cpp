#include "config_dialog/about_box.h"
#include "config_dialog/link_label.h"
#include "config_dialog/plan_pages.h"
#include "config_dialog/time_edit.h"
#include "dialog_rig.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QStringList childTexts(QTreeWidgetItem* root)
{
    QStringList texts;
    for (int i = 0; i < root->childCount(); ++i)
        texts.append(root->child(i)->text(0));
    return texts;
}

QStringList rootTexts(const SectionTreeView* tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts.append(tree->topLevelItem(i)->text(0));
    return texts;
}

} // namespace

class TestConfigFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void treeWithSectionsOff()
    {
        DialogRig rig;
        rig.state.settings.forfait = false;
        rig.state.settings.sons = false;
        rig.state.settings.courrier = false;
        ConfigDialog& dialog = rig.open();
        SectionTreeView* tree = dialog.rubriques();
        QCOMPARE(rootTexts(tree), (QStringList { "FORFAIT", "APPARENCE", "SONS", "COURRIER", "EVENEMENTS" }));
        QCOMPARE(childTexts(tree->sectionItem("forfait")), QStringList());
        QCOMPARE(childTexts(tree->sectionItem("apparence")),
            (QStringList { "Ouverture automatique", "Habillage", "Position" }));
        QCOMPARE(childTexts(tree->sectionItem("sons")), QStringList());
        QCOMPARE(childTexts(tree->sectionItem("courrier")), QStringList());
        QCOMPARE(childTexts(tree->sectionItem("even")),
            (QStringList { "Connecté", "Déconnecté", "Connexion permanente", "Ligne" }));
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            QVERIFY(!tree->topLevelItem(i)->isExpanded());
        QVERIFY(!rig.entry("Connecté")->icon(0).isNull());
        // Opened, the dialog shows the plan page; opened again, it comes back to it.
        QCOMPARE(rig.visibleFrame(), 0);
        QCOMPARE(tree->currentItem(), tree->sectionItem("forfait"));
        QVERIFY(rig.click("Position"));
        QCOMPARE(&rig.open(), &dialog);
        QCOMPARE(rig.visibleFrame(), 0);
        QCOMPARE(tree->currentItem(), tree->sectionItem("forfait"));
    }

    void everyEntryShowsItsOwnPage_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("frame");
        QTest::newRow("APPARENCE") << "APPARENCE" << 5;
        QTest::newRow("Habillage needs a skin folder") << "Habillage" << -1;
        QTest::newRow("Position") << "Position" << 7;
        QTest::newRow("sound Courrier") << "Courrier" << 13;
        QTest::newRow("mail COURRIER") << "COURRIER" << 14;
        QTest::newRow("EVENEMENTS") << "EVENEMENTS" << 16;
        QTest::newRow("Déconnecté") << "Déconnecté" << 18;
        QTest::newRow("Connexion permanente") << "Connexion permanente" << 19;
    }
    void everyEntryShowsItsOwnPage()
    {
        QFETCH(QString, entry);
        QFETCH(int, frame);
        DialogRig rig;
        QVERIFY(rig.openAt(entry));
        QCOMPARE(rig.visibleFrame(), frame);
        int visible = 0;
        for (int f = 0; f < 21; ++f)
            visible += rig.dialog().page(f) && !rig.dialog().page(f)->isHidden();
        QCOMPARE(visible, frame < 0 ? 0 : 1);
    }

    void textMatchingNoPageHidesAll()
    {
        DialogRig rig;
        ConfigDialog& dialog = rig.open();
        QTreeWidgetItem stray(QStringList { QStringLiteral("courrier") });
        dialog.entryClick(&stray);
        QCOMPARE(rig.visibleFrame(), -1);
    }

    void tickingNoPlanRemovesPlanEntriesAtOnce()
    {
        DialogRig rig;
        ConfigDialog& dialog = rig.open();
        const QByteArray before = rig.config();
        DialogRig::tick(dialog.forfaitPage()->vf_forfait);
        QVERIFY(!rig.state.settings.forfait);
        QCOMPARE(childTexts(dialog.rubriques()->sectionItem("forfait")), QStringList());
        QVERIFY(!rig.entry("Mode du compteur"));
        QCOMPARE(dialog.rubriques()->currentItem(), dialog.rubriques()->sectionItem("forfait"));
        QCOMPARE(rig.visibleFrame(), 0);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "forfait" });
        QCOMPARE(rig.windows.callsOf("setMonthAlertLook"), QStringList { "setMonthAlertLook(0)" });

        DialogRig::tick(dialog.forfaitPage()->vf_forfait);
        QVERIFY(rig.state.settings.forfait);
        QCOMPARE(dialog.rubriques()->sectionItem("forfait")->childCount(), 4);
        QVERIFY(rig.entry("Mode du compteur"));
    }

    void leavingAPageDropsItsEdits()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Durée du forfait"));
        DialogRig::retype(rig.find<TimeEdit>("txt_fh"), "12");
        QVERIFY(rig.click("Alerte"));
        QVERIFY(rig.click("Durée du forfait"));
        QCOMPARE(rig.find<TimeEdit>("txt_fh")->text(), QStringLiteral("29"));
        QCOMPARE(rig.state.settings.cpt_limite, 107400);
    }

    void closingWithEditsWritesNothing()
    {
        DialogRig rig;
        ConfigDialog& dialog = rig.open();
        const QByteArray before = rig.config();
        QVERIFY(rig.click("Alerte"));
        DialogRig::tick(rig.find<QCheckBox>("vf_alerte2"));
        QTest::mouseClick(dialog.bt_ferme, Qt::LeftButton);
        QTRY_VERIFY(!rig.launcher.dialog());
        QCOMPARE(rig.config(), before);
        QVERIFY(!rig.state.settings.alerte2);

        // The window's own close box, too; and the next opening builds a fresh dialog.
        QVERIFY(rig.openAt("Connexion permanente"));
        DialogRig::tick(rig.find<QCheckBox>("vf_auto"));
        rig.dialog().close();
        QTRY_VERIFY(!rig.launcher.dialog());
        QCOMPARE(rig.config(), before);
        QCOMPARE(rig.open().alertPage()->vf_alerte2->isChecked(), false);
    }

    void helpAndAboutBox()
    {
        DialogRig rig;
        ConfigDialog& dialog = rig.open();
        QTest::mouseClick(dialog.aide, Qt::LeftButton);
        QCOMPARE(rig.fakes.processes.opened, QStringList { rig.folder.path() + "/doc/aide.htm" });

        QTest::mouseClick(dialog.bt_propos, Qt::LeftButton);
        AboutBox* box = rig.about.box();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->version->text(), QStringLiteral("7.0 .6"));
        QCOMPARE(box->txt_date->text(), QStringLiteral("12 Août 2004"));

        QTest::mouseClick(box->mail, Qt::LeftButton);
        QCOMPARE(rig.fakes.processes.opened.last(),
            "mailto:" + box->mail->text() + "?Subject=\"A propos de Chronolien 7.0.6\"");
        QTest::mouseClick(box->site, Qt::LeftButton);
        QCOMPARE(rig.fakes.processes.opened.last(), box->site->text());

        // Modeless: the dialog goes on working beside the box; OK closes the box.
        QVERIFY(rig.click("Alerte"));
        QCOMPARE(rig.visibleFrame(), 3);
        QTest::mouseClick(box->bt_ok, Qt::LeftButton);
        QTRY_VERIFY(!rig.about.box());
    }
};

QTEST_MAIN(TestConfigFrame)
#include "test_config_frame.moc"
