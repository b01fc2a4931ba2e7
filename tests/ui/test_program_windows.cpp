// Opening, closing, placing and skinning the floating, counter and mail windows, and the menus.
#include "ui/click_area.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "ui/program_menus.h"
#include "ui/shape_widget.h"
#include "ui/window_outlines.h"
#include "window_rig.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 8 && qAbs(a.green() - b.green()) < 8 && qAbs(a.blue() - b.blue()) < 8;
}

} // namespace

class TestProgramWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowRig> m_rig;

    ProgramWindows& windows() { return m_rig->windows; }
    Settings& settings() { return m_rig->state.settings; }
    QString caption(const char* entry) { return windows().menus().entry(QLatin1String(entry))->text(); }

    // Opens the menu as the user does and clicks the entry.
    void choose(QMenu* menu, const char* name)
    {
        menu->popup(QPoint(200, 200));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QAction* action = windows().menus().entry(QLatin1String(name));
        QVERIFY(action);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    // The pictures of skin "jupiter", each in a colour of its own.
    void writeSkin()
    {
        QVERIFY(m_rig->writePicture(
            QStringLiteral("jupiter"), QStringLiteral("centre.jpg"), { 73, 65 }, Qt::red));
        QVERIFY(m_rig->writePicture(
            QStringLiteral("jupiter"), QStringLiteral("centre2.jpg"), { 73, 65 }, Qt::blue));
        QVERIFY(m_rig->writePicture(
            QStringLiteral("jupiter"), QStringLiteral("compteur.jpg"), { 121, 57 }, Qt::green));
        QVERIFY(m_rig->writePicture(
            QStringLiteral("jupiter"), QStringLiteral("mail.jpg"), { 193, 81 }, Qt::yellow));
    }

private Q_SLOTS:
    void init() { m_rig = std::make_unique<WindowRig>(); }
    void cleanup() { m_rig.reset(); }

    void showingPlacesShapesAndStores_data()
    {
        QTest::addColumn<bool>("pos_compteur");
        QTest::addColumn<bool>("pos_mail");
        QTest::addColumn<QPoint>("counterPixels");
        QTest::addColumn<QPoint>("mailPixels");
        // The floating window stands at 5000, 500 twips: 333, 33 pixels.
        QTest::newRow("counter below, mail right") << false << false << QPoint(309, 101) << QPoint(412, 24);
        QTest::newRow("counter above, mail left") << true << true << QPoint(309, -28) << QPoint(135, 24);
    }

    void showingPlacesShapesAndStores()
    {
        QFETCH(bool, pos_compteur);
        QFETCH(bool, pos_mail);
        QFETCH(QPoint, counterPixels);
        QFETCH(QPoint, mailPixels);
        settings().pos_compteur = pos_compteur;
        settings().pos_mail = pos_mail;
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();

        FloatingWindow& centre = windows().fl_centre();
        QVERIFY(centre.isVisible());
        QCOMPARE(centre.pos(), QPoint(333, 33));
        QCOMPARE(centre.mask(), centreWindowOutline());
        QVERIFY(
            centre.windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QCOMPARE(windows().fl_compteur().pos(), counterPixels);
        QCOMPARE(windows().fl_compteur().mask(), counterWindowOutline());
        QVERIFY(windows().fl_compteur().isVisible());
        QCOMPARE(windows().fl_mail().pos(), mailPixels);
        QCOMPARE(windows().fl_mail().mask(), mailWindowOutline());
        QVERIFY(windows().fl_mail().isVisible());

        QVERIFY(settings().affiche_actu);
        QCOMPARE(caption("menuaffich"), QStringLiteral("Masquer"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Masquer le compteur"));
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Vrai"));
        QCOMPARE(m_rig->stored(QStringLiteral("pos_compteur")),
            pos_compteur ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
        QCOMPARE(m_rig->stored(QStringLiteral("pos_mail")),
            pos_mail ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    }

    void showingAfterAMoveComesBackToTheStoredPlace()
    {
        windows().ShowFloatingWindow();
        windows().fl_centre().moveToTwips(0, 0);
        windows().ShowFloatingWindow();
        QCOMPARE(windows().fl_centre().pos(), QPoint(333, 33));
    }

    void counterRefreshAndMailFillRunWhenTheyOpen()
    {
        QStringList order;
        windows().setCounterDisplayRefresh([&] {
            order.append(QStringLiteral("UpdateCounterDisplay"));
            QVERIFY(!windows().fl_compteur().isVisible());
        });
        windows().setMailListFill([&] {
            order.append(QStringLiteral("FillMailList"));
            QVERIFY(!windows().fl_mail().isVisible());
        });
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();
        QCOMPARE(
            order, (QStringList { QStringLiteral("UpdateCounterDisplay"), QStringLiteral("FillMailList") }));

        settings().affiche_cpt = false;
        m_rig->state.mailWindowShown = false;
        windows().ShowFloatingWindow();
        QCOMPARE(order.size(), 2);
        QVERIFY(!windows().fl_compteur().isVisible());
        QVERIFY(!windows().fl_mail().isVisible());
    }

    void trayMenuHidesAndShows_data()
    {
        QTest::addColumn<bool>("affiche_cpt");
        QTest::newRow("with the counter") << true;
        QTest::newRow("without the counter") << false;
    }

    void trayMenuHidesAndShows()
    {
        QFETCH(bool, affiche_cpt);
        settings().affiche_cpt = affiche_cpt;
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();
        QMenu* tray = windows().menus().menuicone();

        choose(tray, "menuaffich");
        QVERIFY(!windows().fl_centre().isVisible());
        QVERIFY(!windows().fl_compteur().isVisible());
        QVERIFY(!windows().fl_mail().isVisible());
        QCOMPARE(caption("menuaffich"), QStringLiteral("Afficher"));
        QVERIFY(!settings().affiche_actu);
        // The satellites' own settings stay, so that they come back with the floating window.
        QCOMPARE(settings().affiche_cpt, affiche_cpt);
        QVERIFY(m_rig->state.mailWindowShown);

        choose(tray, "menuaffich");
        QVERIFY(windows().fl_centre().isVisible());
        QCOMPARE(windows().fl_compteur().isVisible(), affiche_cpt);
        QVERIFY(windows().fl_mail().isVisible());
        QCOMPARE(caption("menuaffich"), QStringLiteral("Masquer"));
        QVERIFY(settings().affiche_actu);
    }

    void counterEntryTwice()
    {
        windows().ShowFloatingWindow();
        QMenu* menu = windows().menus().menucentre();
        choose(menu, "menu2affich");
        QVERIFY(!windows().fl_compteur().isVisible());
        QVERIFY(!settings().affiche_cpt);
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Faux"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Afficher le compteur"));

        choose(menu, "menu2affich");
        QVERIFY(windows().fl_compteur().isVisible());
        QVERIFY(settings().affiche_cpt);
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Vrai"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Masquer le compteur"));
        QCOMPARE(windows().fl_compteur().pos(), QPoint(309, 101));
    }

    void counterCloseButton()
    {
        windows().ShowFloatingWindow();
        QTest::mouseClick(windows().fl_compteur().bt_fermer(), Qt::LeftButton);
        QVERIFY(!windows().fl_compteur().isVisible());
        QVERIFY(windows().fl_centre().isVisible());
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Faux"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Afficher le compteur"));
    }

    void changeSideTwice_data()
    {
        QTest::addColumn<bool>("counter");
        QTest::addColumn<bool>("initial");
        QTest::addColumn<QPoint>("firstPixels");
        QTest::addColumn<QPoint>("otherPixels");
        QTest::newRow("counter from below") << true << false << QPoint(309, 101) << QPoint(309, -28);
        QTest::newRow("counter from above") << true << true << QPoint(309, -28) << QPoint(309, 101);
        QTest::newRow("mail from the left") << false << true << QPoint(135, 24) << QPoint(412, 24);
        QTest::newRow("mail from the right") << false << false << QPoint(412, 24) << QPoint(135, 24);
    }

    void changeSideTwice()
    {
        QFETCH(bool, counter);
        QFETCH(bool, initial);
        QFETCH(QPoint, firstPixels);
        QFETCH(QPoint, otherPixels);
        bool& setting = counter ? settings().pos_compteur : settings().pos_mail;
        const QString key = counter ? QStringLiteral("pos_compteur") : QStringLiteral("pos_mail");
        setting = initial;
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();
        SkinnedWindow& window = counter ? static_cast<SkinnedWindow&>(windows().fl_compteur())
                                        : static_cast<SkinnedWindow&>(windows().fl_mail());
        ClickArea* button = counter ? windows().fl_compteur().bt_changer() : windows().fl_mail().bt_changer();
        QCOMPARE(window.pos(), firstPixels);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(window.pos(), otherPixels);
        QCOMPARE(setting, !initial);
        QCOMPARE(m_rig->stored(key), !initial ? QStringLiteral("Vrai") : QStringLiteral("Faux"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(window.pos(), firstPixels);
        QCOMPARE(setting, initial);
        QCOMPARE(m_rig->stored(key), initial ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    }

    void menuEntries_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("menuicone") << QStringLiteral("menuicone")
                                   << QStringList { "Titre", "menuaide", "menupropos", "separateur",
                                          "menuaffich", "menuconfig", "separateur2", "menuconnect",
                                          "separateur3", "menuquitter" }
                                   << QStringList { "Chronolien", "Aide", "A propos de...", "", "Afficher",
                                          "Configuration", "", "Connecter", "", "Quitter" };
        QTest::newRow("menucentre") << QStringLiteral("menucentre")
                                    << QStringList { "chronolien2", "separateur4", "menu2affich",
                                           "menu2graph", "menu2config", "menu2aide", "menu2propos" }
                                    << QStringList { "Chronolien", "", "Afficher le compteur",
                                           "Afficher le graphique", "Configuration", "Aide",
                                           "A propos de..." };
    }

    void menuEntries()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, names);
        QFETCH(QStringList, captions);
        QMenu* shown = menu == QLatin1String("menuicone") ? windows().menus().menuicone()
                                                          : windows().menus().menucentre();
        const QList<QAction*> actions = shown->actions();
        QCOMPARE(actions.size(), names.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions.at(i)->objectName(), names.at(i));
            QCOMPARE(actions.at(i)->isSeparator(), captions.at(i).isEmpty());
            if (!actions.at(i)->isSeparator())
                QCOMPARE(actions.at(i)->text(), captions.at(i));
        }
    }

    void menuActions_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("opened");
        const QString help = QStringLiteral("doc/aide.htm");
        QTest::newRow("menuaide") << "menuaide" << QStringList() << QStringList { help };
        QTest::newRow("menu2aide") << "menu2aide" << QStringList() << QStringList { help };
        QTest::newRow("menupropos") << "menupropos" << QStringList { "ShowAboutBox" } << QStringList();
        QTest::newRow("menu2propos") << "menu2propos" << QStringList { "ShowAboutBox" } << QStringList();
        QTest::newRow("menuconfig") << "menuconfig" << QStringList { "OpenConfiguration" } << QStringList();
        QTest::newRow("menu2config") << "menu2config" << QStringList { "OpenConfiguration" } << QStringList();
        QTest::newRow("menuconnect") << "menuconnect" << QStringList { "ToggleConnection" } << QStringList();
        QTest::newRow("menuquitter") << "menuquitter" << QStringList { "QuitApplication" } << QStringList();
        QTest::newRow("titles do nothing") << "Titre" << QStringList() << QStringList();
        QTest::newRow("chronolien2") << "chronolien2" << QStringList() << QStringList();
        QTest::newRow("no graph program") << "menu2graph" << QStringList() << QStringList();
    }

    void menuActions()
    {
        QFETCH(QString, entry);
        QFETCH(QStringList, opened);
        windows().menus().entry(entry)->trigger();
        QTEST(m_rig->actions.calls, "calls");
        QStringList expected;
        for (const QString& path : opened)
            expected.append(m_rig->folder.file(path));
        QCOMPARE(m_rig->processes.opened, expected);
        QVERIFY(m_rig->processes.started.isEmpty());
        QVERIFY(!windows().fl_centre().isVisible());
    }

    void graphProgramStartsWhenItExists()
    {
        m_rig->folder.writeBytes(QStringLiteral("graph"), QByteArray("#!/bin/sh\n"));
        windows().menus().entry(QStringLiteral("menu2graph"))->trigger();
        QCOMPARE(m_rig->processes.started, QStringList { m_rig->folder.file(QStringLiteral("graph")) });
    }

    void connectCaption()
    {
        windows().setConnectCaptions(true);
        QCOMPARE(caption("menuconnect"), QStringLiteral("Déconnecter"));
        windows().setConnectCaptions(false);
        QCOMPARE(caption("menuconnect"), QStringLiteral("Connecter"));
    }

    void skinFollowsTheLine()
    {
        writeSkin();
        windows().ShowFloatingWindow();
        FloatingWindow& centre = windows().fl_centre();
        QVERIFY(near(drawnColour(centre, { 36, 32 }), Qt::blue));
        QVERIFY(near(drawnColour(windows().fl_compteur(), { 60, 28 }), Qt::green));
        windows().LoadCentreSkin(true);
        QVERIFY(near(drawnColour(centre, { 36, 32 }), Qt::red));
        m_rig->state.connectedFlag = true;
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();
        QVERIFY(near(drawnColour(centre, { 36, 32 }), Qt::red));
        QVERIFY(near(drawnColour(windows().fl_mail(), { 96, 40 }), Qt::yellow));
    }

    void missingOrBrokenPictureKeepsThePicture_data()
    {
        QTest::addColumn<bool>("broken");
        QTest::newRow("missing") << false;
        QTest::newRow("not a picture") << true;
    }

    void missingOrBrokenPictureKeepsThePicture()
    {
        QFETCH(bool, broken);
        writeSkin();
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();
        const QString jupiter = QStringLiteral("jupiter");
        for (const char* name : { "centre2.jpg", "compteur.jpg", "mail.jpg" }) {
            QFile::remove(m_rig->folder.file(QStringLiteral("skin/jupiter/") + QLatin1String(name)));
            if (broken)
                QVERIFY(m_rig->writeBrokenPicture(jupiter, QLatin1String(name)));
        }
        windows().LoadCentreSkin(true);
        windows().LoadMailSkin();
        windows().ShowFloatingWindow();
        QVERIFY(near(drawnColour(windows().fl_centre(), { 36, 32 }), Qt::red));
        QVERIFY(near(drawnColour(windows().fl_compteur(), { 60, 28 }), Qt::green));
        QVERIFY(near(drawnColour(windows().fl_mail(), { 96, 40 }), Qt::yellow));
    }

    void chosenSkinReachesHiddenWindows()
    {
        writeSkin();
        windows().ShowFloatingWindow();
        const QString bois = QStringLiteral("bois");
        QVERIFY(m_rig->writePicture(bois, QStringLiteral("centre2.jpg"), { 73, 65 }, Qt::magenta));
        QVERIFY(m_rig->writePicture(bois, QStringLiteral("mail.jpg"), { 193, 81 }, Qt::cyan));
        settings().nomskin = bois;
        windows().ReloadSkins();
        QVERIFY(near(drawnColour(windows().fl_centre(), { 36, 32 }), Qt::magenta));
        // No counter picture in that skin: the counter window keeps the one it had.
        QVERIFY(near(drawnColour(windows().fl_compteur(), { 60, 28 }), Qt::green));
        QVERIFY(!windows().fl_mail().isVisible());
        QVERIFY(near(drawnColour(windows().fl_mail(), { 96, 40 }), Qt::cyan));
    }

    void counterTextsAlertAndGauge()
    {
        windows().ShowFloatingWindow();
        CounterWindow& counter = windows().fl_compteur();
        QCOMPARE(counter.txt_cpt_mois()->text(), QStringLiteral("- 00:00:00"));
        windows().setCounterTexts(QStringLiteral("1:02:05"), QStringLiteral("-29:50:00"));
        QCOMPARE(counter.txt_cpt_session()->text(), QStringLiteral("1:02:05"));
        QCOMPARE(counter.txt_cpt_mois()->text(), QStringLiteral("-29:50:00"));

        windows().setMonthAlertLook(true);
        QCOMPARE(counter.txt_cpt_mois()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(counter.txt_cpt_mois()->autoFillBackground());
        windows().setMonthAlertLook(false);
        QCOMPARE(counter.txt_cpt_mois()->palette().color(QPalette::WindowText), QColor(192, 255, 192));
        QVERIFY(!counter.txt_cpt_mois()->autoFillBackground());

        windows().setGauge(GaugeView { true, 50, 680, 0x00FF00 });
        QVERIFY(counter.curseur()->isVisible());
        QCOMPARE(counter.curseur()->x(), 680 / 15);
        QCOMPARE(counter.curseur()->colour(), QColor(0, 255, 0));
        windows().setGauge(GaugeView { true, 100, 1240, 0x0000FF });
        QCOMPARE(counter.curseur()->x(), qRound(1240 / 15.0));
        QCOMPARE(counter.curseur()->colour(), QColor(255, 0, 0));
        windows().setGauge(GaugeView {});
        QVERIFY(!counter.curseur()->isVisible());
    }

    void closeAllWindows()
    {
        m_rig->state.mailWindowShown = true;
        windows().ShowFloatingWindow();
        windows().CloseAllWindows();
        QVERIFY(!windows().fl_centre().isVisible());
        QVERIFY(!windows().fl_compteur().isVisible());
        QVERIFY(!windows().fl_mail().isVisible());
    }
};

QTEST_MAIN(TestProgramWindows)
#include "test_program_windows.moc"
