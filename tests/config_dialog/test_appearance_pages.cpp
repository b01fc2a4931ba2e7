#include "config_dialog/appearance_pages.h"
#include "dialog_rig.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QString states(DialogRig& rig)
{
    QString text;
    for (int i = 0; i < 5; ++i) {
        auto* box = rig.find<QCheckBox>(QStringLiteral("vf_ouv%1").arg(i));
        text += box->isChecked() ? u'1' : u'0';
        text += box->isEnabled() ? u'E' : u'-';
        text += u' ';
    }
    return text.trimmed();
}

void makeSkin(const TempAppFolder& folder, const QString& name, bool complete)
{
    QDir(folder.path()).mkpath("skin/" + name);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.save(folder.file("skin/" + name + "/centre.jpg"), "JPG");
    if (complete)
        picture.save(folder.file("skin/" + name + "/compteur.jpg"), "JPG");
}

void clickSkin(DialogRig& rig, const QString& name)
{
    auto* list = rig.find<QListWidget>("lst_skin");
    QListWidgetItem* item = list->findItems(name, Qt::MatchExactly).value(0);
    QVERIFY(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

class TestAppearancePages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void autoOpenLoads_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("forfait");
        QTest::addColumn<QString>("shown");
        QTest::newRow("connected only") << "01000" << true << "0E 1E 0- 0- 0E";
        QTest::newRow("one character") << "1" << true << "1E 0- 0- 0- 0-";
        QTest::newRow("as last time") << "00001" << true << "0- 0- 0- 0- 1E";
        QTest::newRow("no plan") << "00000" << false << "0E 0E 0E 0- 0E";
    }
    void autoOpenLoads()
    {
        QFETCH(QString, flags);
        QFETCH(bool, forfait);
        QFETCH(QString, shown);
        DialogRig rig;
        rig.state.settings.affiche_auto = flags;
        rig.state.settings.forfait = forfait;
        QVERIFY(rig.openAt("Ouverture automatique"));
        QCOMPARE(states(rig), shown);
    }

    void alwaysKeepsDisabledTicks()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Ouverture automatique"));
        DialogRig::tick(rig.find<QCheckBox>("vf_ouv0"));
        QCOMPARE(states(rig), QStringLiteral("1E 1- 0- 0- 0-"));
        QCOMPARE(rig.validate("bt6_ok"), QStringList { "affiche_auto" });
        QCOMPARE(rig.file.readKey("affiche_auto"), QStringLiteral("11000"));

        DialogRig::tick(rig.find<QCheckBox>("vf_ouv0"));
        DialogRig::tick(rig.find<QCheckBox>("vf_ouv1"));
        QCOMPARE(states(rig), QStringLiteral("0E 0E 0E 0E 0E"));
    }

    void positionPage()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Position"));
        auto* last = rig.find<QRadioButton>("opt_pos0");
        auto* fixed = rig.find<QRadioButton>("opt_pos1");
        auto* save = rig.find<QPushButton>("bt_pos");
        QVERIFY(last->isChecked());
        QVERIFY(!save->isEnabled());
        DialogRig::tick(fixed);
        QVERIFY(save->isEnabled());
        DialogRig::tick(last);
        QVERIFY(!save->isEnabled());
        DialogRig::tick(fixed);

        // The window was dropped elsewhere since the last save.
        rig.state.settings.pos_x = 1234;
        rig.state.settings.pos_y = 4321;
        QByteArray before = rig.config();
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(changedKeys(before, rig.config()), (QStringList { "pos_x", "pos_y" }));
        QCOMPARE(rig.file.readKey("pos_x"), QStringLiteral("1234"));
        QVERIFY(rig.state.settings.pos_mem);

        before = rig.config();
        QTest::mouseClick(rig.find<QPushButton>("bt7_ok"), Qt::LeftButton);
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "pos_mem" });
        QVERIFY(!rig.state.settings.pos_mem);
    }

    void counterModeStoresItsKey()
    {
        DialogRig rig;
        rig.state.settings.affiche_rebours = false;
        rig.file.writeKey("affiche_rebours", false);
        QVERIFY(rig.openAt("Mode du compteur"));
        DialogRig::tick(rig.find<QRadioButton>("opt_cpt1"));
        QCOMPARE(rig.validate("bt9_ok"), QStringList { "affiche_rebours" });
        QVERIFY(rig.state.settings.affiche_rebours);
    }

    void skinPageWithoutSkinFolder()
    {
        DialogRig rig;
        QVERIFY(rig.openAt("Habillage"));
        QCOMPARE(rig.visibleFrame(), -1);
        QCOMPARE(rig.fakes.messages.texts(), QStringList { "Erreur de listage des skins." });
        QCOMPARE(rig.fakes.messages.shown[0].style, StyleCritical);
    }

    void skinPagePreviewsAndChooses()
    {
        DialogRig rig;
        makeSkin(rig.folder, "bois", true);
        makeSkin(rig.folder, "moitie", false);
        QVERIFY(rig.openAt("Habillage"));
        QCOMPARE(rig.visibleFrame(), 8);
        QCOMPARE(rig.find<QListWidget>("lst_skin")->count(), 2);

        clickSkin(rig, "moitie");
        QVERIFY(!rig.find<QLabel>("img_skin")->isHidden());
        QVERIFY(rig.find<QLabel>("img_skin2")->isHidden());
        QVERIFY(rig.find<QPushButton>("bt8_ok")->isHidden());

        clickSkin(rig, "bois");
        QVERIFY(!rig.find<QLabel>("img_skin2")->isHidden());
        auto* ok = rig.find<QPushButton>("bt8_ok");
        QVERIFY(!ok->isHidden());
        const QByteArray before = rig.config();
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(rig.state.settings.nomskin, QStringLiteral("bois"));
        QCOMPARE(changedKeys(before, rig.config()), QStringList { "nomskin" });
        QCOMPARE(rig.skinReloads, 1);
    }
};

QTEST_MAIN(TestAppearancePages)
#include "test_appearance_pages.moc"
