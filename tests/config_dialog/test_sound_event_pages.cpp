#include "config_dialog/event_pages.h"
#include "config_dialog/sound_pages.h"
#include "dialog_rig.h"
#include "settings/command_list.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace chronolien;
using namespace chronolien::test;

namespace {

void tick(QAbstractButton* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

void clickLine(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace

class TestSoundEventPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void noSoundLoadsDefaultPathDisabled()
    {
        DialogRig rig;
        rig.state.settings.son_mail = "0";
        rig.file.WriteKey("son_mail", "0");
        rig.open();
        QVERIFY(rig.click("Courrier"));
        QCOMPARE(rig.visibleFrame(), 13);
        auto* box = rig.find<QCheckBox>("vf_chsons");
        auto* path = rig.find<QLineEdit>("chem_sons");
        QVERIFY(box->isChecked());
        QVERIFY(!path->isEnabled());
        QVERIFY(!rig.find<QPushButton>("bt_parc")->isEnabled());
        QVERIFY(!rig.find<QPushButton>("bt_jouer")->isEnabled());
        QCOMPARE(path->text(), rig.folder.path() + "/sons/mail.wav");

        tick(box);
        QVERIFY(path->isEnabled());
        QCOMPARE(path->text(), rig.folder.path() + "/sons/mail.wav");
        const QByteArray before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt11_ok"), Qt::LeftButton);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "son_mail" });
        QCOMPARE(rig.state.settings.son_mail, rig.folder.path() + "/sons/mail.wav");
    }

    void tickingNoSoundReplacesCustomPath()
    {
        DialogRig rig;
        rig.state.settings.son_connect = "/mes/sons/ding.wav";
        rig.open();
        QVERIFY(rig.click("Connexion"));
        auto* path = rig.find<QLineEdit>("chem_sons");
        QCOMPARE(path->text(), QStringLiteral("/mes/sons/ding.wav"));
        tick(rig.find<QCheckBox>("vf_chsons"));
        QCOMPARE(path->text(), rig.folder.path() + "/sons/connect.wav");
        const QByteArray before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt11_ok"), Qt::LeftButton);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "son_connect" });
        QCOMPARE(rig.file.ReadKey("son_connect"), QStringLiteral("0"));
    }

    void playAndBrowseUseThePageText()
    {
        DialogRig rig;
        QDir(rig.folder.path()).mkpath("sons");
        rig.folder.writeBytes("sons/autre.wav", "RIFF");
        rig.open();
        QVERIFY(rig.click("Déconnexion"));
        auto* path = rig.find<QLineEdit>("chem_sons");
        DialogRig::retype(path, rig.folder.file("sons/autre.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_jouer"), Qt::LeftButton);
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.folder.file("sons/autre.wav") });
        DialogRig::retype(path, rig.folder.file("sons/absent.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_jouer"), Qt::LeftButton);
        QCOMPARE(rig.fakes.sound.played.size(), 1);

        rig.chooser.answers.enqueue(rig.folder.file("sons/choisi.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_parc"), Qt::LeftButton);
        QCOMPARE(path->text(), rig.folder.file("sons/choisi.wav"));
        QCOMPARE(rig.chooser.asked.last().title, QStringLiteral("Choix du fichier son : DECONNECTION"));
        QCOMPARE(rig.chooser.asked.last().initialFolder, rig.folder.path() + "/sons");
        QTest::mouseClick(rig.find<QPushButton>("bt_parc"), Qt::LeftButton);
        QCOMPARE(path->text(), rig.folder.file("sons/choisi.wav"));
        QCOMPARE(rig.state.settings.son_deconnect, rig.folder.path() + "/sons/deconnect.wav");
    }

    void noSoundAtAllRemovesSoundEntries()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("SONS"));
        const QByteArray before = rig.config();
        tick(rig.find<QCheckBox>("vf_sons"));
        QVERIFY(!rig.state.settings.sons);
        QCOMPARE(rig.dialog().rubriques()->sectionItem("sons")->childCount(), 0);
        QCOMPARE(rig.dialog().rubriques()->currentItem(), rig.dialog().rubriques()->sectionItem("sons"));
        QCOMPARE(rig.visibleFrame(), 10);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "sons" });
        tick(rig.find<QCheckBox>("vf_sons"));
        QCOMPARE(rig.dialog().rubriques()->sectionItem("sons")->childCount(), 3);
    }

    void commandListKeepsTenLines()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Connecté"));
        QCOMPARE(rig.find<QLabel>("txt_even1")->text(), QString());
        for (int i = 1; i <= 12; ++i) {
            rig.chooser.answers.enqueue(QStringLiteral("/usr/bin/programme%1").arg(i));
            QTest::mouseClick(rig.find<QPushButton>("bt_ajouter1"), Qt::LeftButton);
        }
        QCOMPARE(rig.chooser.asked.last().initialFolder, QStringLiteral("/usr/bin"));
        auto* list = rig.find<QListWidget>("lst_even1");
        QCOMPARE(list->count(), 12);
        const QByteArray config = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt17_ok"), Qt::LeftButton);
        QCOMPARE(rig.config(), config);
        QCOMPARE(rig.state.commandLists[0].entries.size(), 10);
        const QByteArray file = rig.folder.readBytes("even1.ini");
        QCOMPARE(file.count("\r\n"), 10);
        QVERIFY(file.startsWith("\"/usr/bin/programme1\"\r\n"));
        QVERIFY(!file.contains("programme11"));
        QVERIFY(rig.click("Déconnecté"));
        QVERIFY(rig.click("Connecté"));
        QCOMPARE(rig.find<QListWidget>("lst_even1")->count(), 10);
    }

    void removingAndDetail()
    {
        DialogRig rig;
        const QString longPath = "/opt/un/chemin/tres/long/vers/un/programme/de/demarrage/automatique/lanceur";
        rig.state.commandLists[1].entries = QStringList { longPath };
        rig.open();
        QVERIFY(rig.click("Déconnecté"));
        auto* list = rig.find<QListWidget>("lst_even2");
        auto* detail = rig.find<QLabel>("txt_even2");
        auto* remove = rig.find<QPushButton>("bt_supr2");
        QCOMPARE(remove->toolTip(), QStringLiteral("Supprimer la ligne sélectionnée"));
        QCOMPARE(rig.find<QPushButton>("Bt_ajouter2")->toolTip(), QStringLiteral("Choisir un executable"));
        QCOMPARE(detail->text(), QString());
        // Nothing selected: nothing removed.
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        clickLine(list, 0);
        QCOMPARE(detail->text(), longPath);

        // A cancelled chooser adds nothing; the detail still shows the selected line.
        QTest::mouseClick(rig.find<QPushButton>("Bt_ajouter2"), Qt::LeftButton);
        QCOMPARE(rig.chooser.asked.last().title, QStringLiteral("Choix de l'application : Déconnection"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(detail->text(), longPath);

        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QCOMPARE(detail->text(), QString());
        QTest::mouseClick(rig.find<QPushButton>("bt18_ok"), Qt::LeftButton);
        QVERIFY(rig.folder.exists("even2.ini"));
        QCOMPARE(rig.folder.readBytes("even2.ini"), QByteArray());
        QVERIFY(rig.state.commandLists[1].entries.isEmpty());
    }

    void pathWithQuoteIsRefused()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Connecté"));
        rig.chooser.answers.enqueue("/tmp/un \"programme\"");
        QTest::mouseClick(rig.find<QPushButton>("bt_ajouter1"), Qt::LeftButton);
        QCOMPARE(rig.find<QListWidget>("lst_even1")->count(), 0);
        QCOMPARE(rig.fakes.messages.shown.size(), 1);
    }

    void permanentConnection()
    {
        DialogRig rig;
        rig.open();
        QVERIFY(rig.click("Connexion permanente"));
        auto* box = rig.find<QCheckBox>("vf_auto");
        QVERIFY(!box->isChecked());
        tick(box);
        const QByteArray before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt19_ok"), Qt::LeftButton);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "connect_auto" });
        QVERIFY(rig.state.settings.connect_auto);

        tick(rig.find<QCheckBox>("vf_auto"));
        QVERIFY(rig.click("EVENEMENTS"));
        QCOMPARE(rig.visibleFrame(), 16);
        QVERIFY(rig.click("Connexion permanente"));
        QVERIFY(rig.find<QCheckBox>("vf_auto")->isChecked());
    }
};

QTEST_MAIN(TestSoundEventPages)
#include "test_sound_event_pages.moc"
