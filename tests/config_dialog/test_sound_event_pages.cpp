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

void clickLine(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace

class TestSoundEventPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The no-sound box: "0" in memory ticks it and shows the default path, disabled.
    void noSoundBox_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("defaultFile");
        QTest::newRow("mail sound off, switched on") << "Courrier"
                                                     << "son_mail"
                                                     << "0"
                                                     << "mail.wav";
        QTest::newRow("own connection sound, switched off") << "Connexion"
                                                            << "son_connect"
                                                            << "/mes/sons/ding.wav"
                                                            << "connect.wav";
    }
    void noSoundBox()
    {
        QFETCH(QString, entry);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, defaultFile);
        const bool noSound = stored == QLatin1String("0");
        const QString defaultPath = QStringLiteral("/sons/") + defaultFile;
        DialogRig rig;
        rig.file.writeKey(key, stored);
        (key == QLatin1String("son_mail") ? rig.state.settings.son_mail : rig.state.settings.son_connect)
            = stored;
        QVERIFY(rig.openAt(entry));
        auto* box = rig.find<QCheckBox>("vf_chsons");
        auto* path = rig.find<QLineEdit>("chem_sons");
        QCOMPARE(box->isChecked(), noSound);
        QCOMPARE(path->isEnabled(), !noSound);
        QCOMPARE(rig.find<QPushButton>("bt_jouer")->isEnabled(), !noSound);
        QCOMPARE(path->text(), noSound ? rig.folder.path() + defaultPath : stored);

        DialogRig::tick(box);
        QCOMPARE(path->text(), rig.folder.path() + defaultPath);
        QCOMPARE(rig.validate("bt11_ok"), QStringList { key });
        QCOMPARE(rig.file.readKey(key), noSound ? rig.folder.path() + defaultPath : QStringLiteral("0"));
    }

    void playAndBrowseUseThePageText()
    {
        DialogRig rig;
        QDir(rig.folder.path()).mkpath("sons");
        rig.folder.writeBytes("sons/autre.wav", "RIFF");
        QVERIFY(rig.openAt("Déconnexion"));
        auto* path = rig.find<QLineEdit>("chem_sons");
        DialogRig::retype(path, rig.folder.file("sons/autre.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_jouer"), Qt::LeftButton);
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.folder.file("sons/autre.wav") });
        DialogRig::retype(path, rig.folder.file("sons/absent.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_jouer"), Qt::LeftButton);
        QCOMPARE(rig.fakes.sound.played.size(), 1);

        rig.chooser.answers.enqueue(rig.folder.file("sons/choisi.wav"));
        QTest::mouseClick(rig.find<QPushButton>("bt_parc"), Qt::LeftButton);
        QCOMPARE(rig.chooser.asked.last().initialFolder, rig.folder.path() + "/sons");
        QTest::mouseClick(rig.find<QPushButton>("bt_parc"), Qt::LeftButton); // cancelled: the text stays
        QCOMPARE(path->text(), rig.folder.file("sons/choisi.wav"));
        QCOMPARE(rig.state.settings.son_deconnect, rig.folder.path() + "/sons/deconnect.wav");
    }

    void noSoundAtAllRemovesSoundEntries()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("SONS"));
        const QByteArray before = rig.config();
        DialogRig::tick(rig.find<QCheckBox>("vf_sons"));
        QVERIFY(!rig.state.settings.sons);
        QCOMPARE(rig.dialog().rubriques()->sectionItem("sons")->childCount(), 0);
        QCOMPARE(rig.visibleFrame(), 10);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "sons" });
    }

    void commandListKeepsTenLines()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Connecté"));
        for (int i = 1; i <= 12; ++i) {
            rig.chooser.answers.enqueue(QStringLiteral("/usr/bin/programme%1").arg(i));
            QTest::mouseClick(rig.find<QPushButton>("bt_ajouter1"), Qt::LeftButton);
        }
        QCOMPARE(rig.find<QListWidget>("lst_even1")->count(), 12);
        const QByteArray config = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt17_ok"), Qt::LeftButton);
        QCOMPARE(rig.config(), config);
        QCOMPARE(rig.state.commandLists[0].entries.size(), 10);
        const QByteArray file = rig.folder.readBytes("even1.ini");
        QCOMPARE(file.count("\r\n"), 10);
        QVERIFY(file.startsWith("\"/usr/bin/programme1\"\r\n"));
        QVERIFY(!file.contains("programme11"));
    }

    void removingAndDetail()
    {
        DialogRig rig;
        const QString longPath
            = "/opt/un/chemin/tres/long/vers/un/programme/de/demarrage/automatique/lanceur";
        rig.state.commandLists[1].entries = QStringList { longPath };
        QVERIFY(rig.openAt("Déconnecté"));
        auto* list = rig.find<QListWidget>("lst_even2");
        auto* detail = rig.find<QLabel>("txt_even2");
        auto* remove = rig.find<QPushButton>("bt_supr2");
        // Nothing selected: nothing removed.
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        clickLine(list, 0);
        QCOMPARE(detail->text(), longPath);

        // A cancelled chooser adds nothing; the detail still shows the selected line.
        QTest::mouseClick(rig.find<QPushButton>("Bt_ajouter2"), Qt::LeftButton);
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

    void permanentConnection()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Connexion permanente"));
        auto* box = rig.find<QCheckBox>("vf_auto");
        QVERIFY(!box->isChecked());
        DialogRig::tick(box);
        QCOMPARE(rig.validate("bt19_ok"), QStringList { "connect_auto" });
        QVERIFY(rig.state.settings.connect_auto);
    }
};

QTEST_MAIN(TestSoundEventPages)
#include "test_sound_event_pages.moc"
