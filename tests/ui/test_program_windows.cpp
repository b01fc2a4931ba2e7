// Opening, closing, placing and skinning the floating, counter and mail windows, and the menus.
#include "skins/window_outlines.h"
#include "ui/click_area.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "ui/program_menus.h"
#include "ui/shape_widget.h"
#include "window_rig.h"

#include <QAction>
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

// The floating window stands at 5000, 500 twips: 333, 33 pixels.
const QPoint CounterBelow(309, 101);
const QPoint CounterAbove(309, -28);
const QPoint MailRight(412, 24);
const QPoint MailLeft(135, 24);

} // namespace

class TestProgramWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowRig> m_rig;

    ProgramWindows& windows() { return m_rig->windows; }
    Settings& settings() { return m_rig->state.settings; }
    QString caption(const char* entry) { return windows().menus().entry(QLatin1String(entry))->text(); }
    void showAll()
    {
        m_rig->state.mailWindowShown = true;
        windows().showFloatingWindow();
    }

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
        const QString skin = QStringLiteral("jupiter");
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("centre.jpg"), { 73, 65 }, Qt::red));
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("centre2.jpg"), { 73, 65 }, Qt::blue));
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("compteur.jpg"), { 121, 57 }, Qt::green));
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("mail.jpg"), { 193, 81 }, Qt::yellow));
    }
    QColor centreColour() { return drawnColour(windows().floatingWindow(), { 36, 32 }); }
    QColor counterColour() { return drawnColour(windows().counterWindow(), { 60, 28 }); }
    QColor mailColour() { return drawnColour(windows().mailWindow(), { 96, 40 }); }

private Q_SLOTS:
    void init() { m_rig = std::make_unique<WindowRig>(); }
    void cleanup() { m_rig.reset(); }

    // Opened at the default sides; the other sides are the side-change test's.
    void showingPlacesShapesAndStores()
    {
        QStringList order;
        windows().setCounterDisplayRefresh(
            [&] { order.append(windows().counterWindow().isVisible() ? "late" : "counter"); });
        windows().setMailListFill(
            [&] { order.append(windows().mailWindow().isVisible() ? "late" : "mail"); });
        showAll();

        FloatingWindow& centre = windows().floatingWindow();
        QCOMPARE(centre.pos(), QPoint(333, 33));
        QCOMPARE(centre.mask(), centreWindowOutline());
        QVERIFY(
            centre.windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QVERIFY(windows().counterWindow().isVisible() && windows().mailWindow().isVisible());
        QCOMPARE(windows().counterWindow().pos(), CounterBelow);
        QCOMPARE(windows().counterWindow().mask(), counterWindowOutline());
        QCOMPARE(windows().mailWindow().pos(), MailLeft);
        QCOMPARE(windows().mailWindow().mask(), mailWindowOutline());
        // The counter texts and the mail lines are filled before their windows show.
        QCOMPARE(order, (QStringList { "counter", "mail" }));
        QVERIFY(settings().affiche_actu);
        QCOMPARE(caption("menuaffich"), QStringLiteral("Masquer"));
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Vrai"));

        // Shown again after a move, it comes back to its stored place.
        centre.moveToTwips(0, 0);
        windows().showFloatingWindow();
        QCOMPARE(centre.pos(), QPoint(333, 33));
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
        showAll();
        QMenu* tray = windows().menus().trayMenu();

        choose(tray, "menuaffich");
        QVERIFY(!windows().floatingWindow().isVisible());
        QVERIFY(!windows().counterWindow().isVisible());
        QVERIFY(!windows().mailWindow().isVisible());
        QCOMPARE(caption("menuaffich"), QStringLiteral("Afficher"));
        QVERIFY(!settings().affiche_actu);

        // The satellites' own settings stayed, so that they come back with the floating window.
        choose(tray, "menuaffich");
        QVERIFY(windows().floatingWindow().isVisible());
        QCOMPARE(windows().counterWindow().isVisible(), affiche_cpt);
        QVERIFY(windows().mailWindow().isVisible());
        QVERIFY(settings().affiche_actu);

        windows().closeAllWindows();
        QVERIFY(!windows().floatingWindow().isVisible() && !windows().counterWindow().isVisible()
            && !windows().mailWindow().isVisible());
    }

    void counterCloseButtonAndMenuEntry()
    {
        windows().showFloatingWindow();
        QTest::mouseClick(child<ClickArea>(windows().counterWindow(), "bt_fermer"), Qt::LeftButton);
        QVERIFY(!windows().counterWindow().isVisible());
        QVERIFY(windows().floatingWindow().isVisible());
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Faux"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Afficher le compteur"));

        choose(windows().menus().centreMenu(), "menu2affich");
        QVERIFY(windows().counterWindow().isVisible());
        QCOMPARE(windows().counterWindow().pos(), CounterBelow);
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Vrai"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Masquer le compteur"));

        choose(windows().menus().centreMenu(), "menu2affich");
        QVERIFY(!windows().counterWindow().isVisible());
        QVERIFY(!settings().affiche_cpt);
    }

    // The settings are loaded after the windows are built: a counter window that opens alone (a
    // plan alert) hangs beside the floating window's stored place, not its default one.
    void counterOpeningAloneFollowsTheStoredPlace()
    {
        settings().pos_x = 9000; // 600 pixels
        settings().pos_y = 1500; // 100 pixels
        windows().applyCounterWindow();
        QVERIFY(!windows().floatingWindow().isVisible());
        QCOMPARE(windows().counterWindow().pos(), QPoint(576, 168));
    }

    // From the default side to the other and back, each change stored; a window opened again
    // stays on the side it was left on.
    void changeSideTwice_data()
    {
        QTest::addColumn<bool>("counter");
        QTest::addColumn<QPoint>("otherPixels");
        QTest::newRow("counter") << true << CounterAbove;
        QTest::newRow("mail") << false << MailRight;
    }
    void changeSideTwice()
    {
        QFETCH(bool, counter);
        QFETCH(QPoint, otherPixels);
        const bool& setting = counter ? settings().pos_compteur : settings().pos_mail;
        const QString key = counter ? QStringLiteral("pos_compteur") : QStringLiteral("pos_mail");
        const bool initial = setting;
        showAll();
        SkinnedWindow& window = counter ? static_cast<SkinnedWindow&>(windows().counterWindow())
                                        : static_cast<SkinnedWindow&>(windows().mailWindow());
        const QPoint firstPixels = window.pos();
        ClickArea* button = child<ClickArea>(window, "bt_changer");

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(window.pos(), otherPixels);
        QCOMPARE(setting, !initial);
        QCOMPARE(m_rig->stored(key), initial ? QStringLiteral("Faux") : QStringLiteral("Vrai"));
        windows().hideFloatingWindow();
        showAll();
        QCOMPARE(window.pos(), otherPixels);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(window.pos(), firstPixels);
        QCOMPARE(setting, initial);
        QCOMPARE(m_rig->stored(key), initial ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    }

    void menuActions_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("opensHelp");
        QTest::newRow("menuaide") << "menuaide" << QStringList() << true;
        QTest::newRow("menu2aide") << "menu2aide" << QStringList() << true;
        QTest::newRow("menupropos") << "menupropos" << QStringList { "about" } << false;
        QTest::newRow("menu2propos") << "menu2propos" << QStringList { "about" } << false;
        QTest::newRow("menuconfig") << "menuconfig" << QStringList { "configuration" } << false;
        QTest::newRow("menu2config") << "menu2config" << QStringList { "configuration" } << false;
        QTest::newRow("menuconnect") << "menuconnect" << QStringList { "toggleConnection" } << false;
        QTest::newRow("menuquitter") << "menuquitter" << QStringList { "quit" } << false;
        QTest::newRow("titles do nothing") << "Titre" << QStringList() << false;
        QTest::newRow("no graph program") << "menu2graph" << QStringList() << false;
    }
    void menuActions()
    {
        QFETCH(QString, entry);
        QFETCH(bool, opensHelp);
        windows().menus().entry(entry)->trigger();
        QTEST(m_rig->actions.calls, "calls");
        QCOMPARE(m_rig->processes.opened,
            opensHelp ? QStringList { m_rig->folder.file(QStringLiteral("doc/aide.htm")) } : QStringList());
        QVERIFY(m_rig->processes.started.isEmpty());
    }

    void graphProgramStartsWhenItExists()
    {
        m_rig->folder.writeBytes(QStringLiteral("graph"), QByteArray("#!/bin/sh\n"));
        windows().menus().entry(QStringLiteral("menu2graph"))->trigger();
        QCOMPARE(m_rig->processes.started, QStringList { m_rig->folder.file(QStringLiteral("graph")) });
    }

    void connectCaptionsFollowTheLine()
    {
        for (const bool connected : { true, false }) {
            const QString expected = connected ? QStringLiteral("Déconnecter") : QStringLiteral("Connecter");
            windows().setConnectCaptions(connected);
            QCOMPARE(caption("menuconnect"), expected);
            QCOMPARE(child<ClickArea>(windows().floatingWindow(), "bt_connect")->toolTip(), expected);
        }
    }

    void skinFollowsTheLine()
    {
        writeSkin();
        windows().showFloatingWindow();
        QVERIFY(near(centreColour(), Qt::blue));
        QVERIFY(near(counterColour(), Qt::green));
        windows().loadCentreSkin(true);
        QVERIFY(near(centreColour(), Qt::red));
        m_rig->state.connectedFlag = true;
        showAll();
        QVERIFY(near(centreColour(), Qt::red));
        QVERIFY(near(mailColour(), Qt::yellow));
    }

    void chosenSkinReachesHiddenWindows()
    {
        writeSkin();
        windows().showFloatingWindow();
        const QString bois = QStringLiteral("bois");
        QVERIFY(m_rig->writePicture(bois, QStringLiteral("centre2.jpg"), { 73, 65 }, Qt::magenta));
        QVERIFY(m_rig->writePicture(bois, QStringLiteral("mail.jpg"), { 193, 81 }, Qt::cyan));
        settings().nomskin = bois;
        windows().reloadSkins();
        QVERIFY(near(centreColour(), Qt::magenta));
        QVERIFY(near(counterColour(), Qt::green)); // no counter picture in that skin: kept
        QVERIFY(!windows().mailWindow().isVisible());
        QVERIFY(near(mailColour(), Qt::cyan));
    }

    // The month's alert look, red on an opaque background, and back to the skin showing through.
    void counterAlertAndGauge()
    {
        writeSkin();
        windows().showFloatingWindow();
        CounterWindow& counter = windows().counterWindow();
        QLabel* month = child<QLabel>(counter, "txt_cpt_mois");
        const QPoint besideTheText = month->geometry().topRight() + QPoint(-1, 1);
        for (const bool alert : { true, false }) {
            windows().setMonthAlertLook(alert);
            QCOMPARE(month->palette().color(QPalette::WindowText),
                alert ? QColor(255, 0, 0) : QColor(192, 255, 192));
            QCOMPARE(near(drawnColour(counter, besideTheText), Qt::green), !alert);
        }

        windows().setGauge(GaugeView { true, 100, 1240, Qt::red });
        QVERIFY(child<ShapeWidget>(counter, "curseur")->isVisible());
        QCOMPARE(child<ShapeWidget>(counter, "curseur")->x(), qRound(1240 / 15.0));
        QCOMPARE(child<ShapeWidget>(counter, "curseur")->colour(), QColor(255, 0, 0));
        windows().setGauge(GaugeView {});
        QVERIFY(!child<ShapeWidget>(counter, "curseur")->isVisible());
    }

    // Both menus as the user reads them, top to bottom, with their first captions; "-" is a separator.
    void menusInOrder()
    {
        const auto entries = [](const QMenu* menu) {
            QStringList list;
            for (const QAction* a : menu->actions())
                list.append(a->objectName() + u' ' + (a->isSeparator() ? QStringLiteral("-") : a->text()));
            return list;
        };
        QCOMPARE(entries(windows().menus().trayMenu()),
            (QStringList { "Titre Chronolien", "menuaide Aide", "menupropos A propos de...", "separateur -",
                "menuaffich Afficher", "menuconfig Configuration", "separateur2 -", "menuconnect Connecter",
                "separateur3 -", "menuquitter Quitter" }));
        QCOMPARE(entries(windows().menus().centreMenu()),
            (QStringList { "chronolien2 Chronolien", "separateur4 -", "menu2affich Afficher le compteur",
                "menu2graph Afficher le graphique", "menu2config Configuration", "menu2aide Aide",
                "menu2propos A propos de..." }));
    }
};

QTEST_MAIN(TestProgramWindows)
#include "test_program_windows.moc"
