// The floating, counter and mail windows and the menus with real widgets.
#include "ui/click_area.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "ui/program_menus.h"
#include "window_rig.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// Whether the window draws about that colour at the point, its middle unless told.
bool draws(QWidget& window, QColor expected, QPoint at = QPoint(-1, -1))
{
    const QColor c = window.grab().toImage().pixelColor(at.x() < 0 ? window.rect().center() : at);
    return qAbs(c.red() - expected.red()) < 8 && qAbs(c.green() - expected.green()) < 8
        && qAbs(c.blue() - expected.blue()) < 8;
}

// The floating window stands at 5000, 500 twips: 333, 33 pixels.
const QPoint CounterBelow(309, 101);
const QPoint CounterAbove(309, -28);
const QPoint MailRight(412, 24);
const QPoint MailLeft(135, 24);
// A point of the floating window's background that no button covers.
const QPoint OnBackground(66, 40);

} // namespace

class TestProgramWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowRig> m_rig;

    ProgramWindows& windows() { return m_rig->windows; }
    FloatingWindow& centre() { return windows().floatingWindow(); }
    Settings& settings() { return m_rig->state.settings; }
    QString caption(const QString& entry) { return windows().menus().entry(entry)->text(); }
    void choose(const QString& entry) { windows().menus().entry(entry)->trigger(); }
    void showAll()
    {
        m_rig->state.mailWindowShown = true;
        windows().showFloatingWindow();
    }
    // Which of the floating, counter and mail windows show: "fcm" for all three, "---" for none.
    QString shown()
    {
        return QString(centre().isVisible() ? u'f' : u'-')
            + (windows().counterWindow().isVisible() ? u'c' : u'-')
            + (windows().mailWindow().isVisible() ? u'm' : u'-');
    }

private Q_SLOTS:
    void init() { m_rig = std::make_unique<WindowRig>(); }
    void cleanup() { m_rig.reset(); }

    // Opened at the default sides of the floating window's place, each satellite filled before it
    // shows; each change of side is stored. The counter's close button and the entries that show and
    // hide store their settings, and "Masquer" leaves the satellites' own: the closed counter stays
    // closed, and comes back on the side it was left on.
    void showHideAndSides()
    {
        QStringList order;
        windows().setCounterDisplayRefresh(
            [&] { order.append(windows().counterWindow().isVisible() ? "late" : "counter"); });
        windows().setMailListFill(
            [&] { order.append(windows().mailWindow().isVisible() ? "late" : "mail"); });
        showAll();
        QCOMPARE(centre().pos(), QPoint(333, 33));
        QVERIFY(
            centre().windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QCOMPARE(windows().counterWindow().pos(), CounterBelow);
        QCOMPARE(windows().mailWindow().pos(), MailLeft);
        QCOMPARE(order, (QStringList { "counter", "mail" }));
        const auto sides = [this] { return m_rig->stored("pos_compteur") + ' ' + m_rig->stored("pos_mail"); };
        QCOMPARE(sides(), QStringLiteral("Faux Vrai"));
        const auto changeSide = [](QWidget& window) {
            QTest::mouseClick(child<ClickArea>(window, "bt_changer"), Qt::LeftButton);
        };
        changeSide(windows().counterWindow());
        changeSide(windows().mailWindow());
        QCOMPARE(windows().counterWindow().pos(), CounterAbove);
        QCOMPARE(windows().mailWindow().pos(), MailRight);
        QCOMPARE(sides(), QStringLiteral("Vrai Faux"));
        changeSide(windows().mailWindow());
        QCOMPARE(windows().mailWindow().pos(), MailLeft);
        QCOMPARE(sides(), QStringLiteral("Vrai Vrai"));

        QTest::mouseClick(child<ClickArea>(windows().counterWindow(), "bt_fermer"), Qt::LeftButton);
        QCOMPARE(shown(), QStringLiteral("f-m"));
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Faux"));
        QCOMPARE(caption("menu2affich") + ", " + caption("menuaffich"), "Afficher le compteur, Masquer");
        choose("menuaffich");
        QCOMPARE(shown(), QStringLiteral("---"));
        QCOMPARE(caption("menuaffich"), QStringLiteral("Afficher"));
        QVERIFY(!settings().affiche_actu);
        centre().moveToTwips(0, 0);
        choose("menuaffich");
        QCOMPARE(shown(), QStringLiteral("f-m"));
        QCOMPARE(centre().pos(), QPoint(333, 33));
        QVERIFY(settings().affiche_actu);
        choose("menu2affich");
        QCOMPARE(shown(), QStringLiteral("fcm"));
        QCOMPARE(windows().counterWindow().pos(), CounterAbove);
        QCOMPARE(m_rig->stored(QStringLiteral("affiche_cpt")), QStringLiteral("Vrai"));
        QCOMPARE(caption("menu2affich"), QStringLiteral("Masquer le compteur"));
        windows().closeAllWindows();
        QCOMPARE(shown(), QStringLiteral("---"));

        // A counter window that opens alone (a plan alert) hangs beside the floating window's stored
        // place, which may have changed since the floating window was last placed (the settings are
        // loaded after the windows are built).
        settings().pos_x = 9000; // 600 pixels
        settings().pos_y = 1500; // 100 pixels
        windows().applyCounterWindow();
        QCOMPARE(shown(), QStringLiteral("-c-"));
        QCOMPARE(windows().counterWindow().pos(), QPoint(576, 39));
    }

    // Any move with the left button held drags, from the background or from the connect button:
    // the satellites go for the drag and come back beside the new place, which is stored only when
    // the place is kept. Each move is measured where the window now stands: 5 + 15 pixels are 300
    // twips.
    void drag_data()
    {
        QTest::addColumn<bool>("fromConnectButton");
        QTest::addColumn<bool>("pos_mem");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("background, position kept") << false << true << Qt::LeftButton;
        QTest::newRow("connect button, fixed place") << true << false << Qt::LeftButton;
        QTest::newRow("right button") << false << true << Qt::RightButton;
    }
    void drag()
    {
        QFETCH(bool, fromConnectButton);
        QFETCH(bool, pos_mem);
        QFETCH(Qt::MouseButton, button);
        const int left = button == Qt::LeftButton ? 5300 : 5000; // twips, afterwards
        settings().pos_mem = pos_mem;
        showAll();
        QVERIFY(QTest::qWaitForWindowExposed(&centre()));
        QWidget* control
            = fromConnectButton ? static_cast<QWidget*>(child<ClickArea>(centre(), "bt_connect")) : &centre();
        const QPoint grip = fromConnectButton ? control->rect().center() : OnBackground;

        QTest::mousePress(control, button, {}, grip);
        for (const QPoint move : { QPoint(5, 3), QPoint(15, -3) }) {
            QTest::mouseMove(control, grip + move);
            QCOMPARE(shown(), left == 5000 ? QStringLiteral("fcm") : QStringLiteral("f--"));
        }
        QTest::mouseRelease(control, button, {}, grip);
        QCOMPARE(centre().pos(), QPoint(left / 15, 33));
        QCOMPARE(settings().pos_x, left);
        QCOMPARE(m_rig->stored(QStringLiteral("pos_x")),
            pos_mem && left != 5000 ? QString::number(left) : QString());
        QCOMPARE(shown(), QStringLiteral("fcm"));
        QCOMPARE(windows().counterWindow().leftTwips(), left - 360);
        QVERIFY(m_rig->calls.isEmpty());
        QVERIFY(!windows().menus().centreMenu()->isVisible());
    }

    // The floating window's buttons: the connect button dials or hangs up on a double click only,
    // and opens the menu with the right button as the menu button does with the left. The connect
    // captions tell the line's state.
    void buttons()
    {
        showAll();
        const auto button = [this](const char* name) { return child<ClickArea>(centre(), name); };
        QMenu* menu = windows().menus().centreMenu();
        QTest::mouseClick(button("bt_connect"), Qt::LeftButton);
        QTest::mouseDClick(button("bt_connect"), Qt::LeftButton);
        QTest::mouseClick(button("bt_fermer"), Qt::LeftButton);
        QCOMPARE(m_rig->calls, (QStringList { "toggleConnection", "quit" }));
        QTest::mousePress(button("bt_connect"), Qt::RightButton);
        QVERIFY(menu->isVisible());
        QTest::mouseRelease(button("bt_connect"), Qt::RightButton);
        menu->close();
        QTest::mouseClick(button("bt_config"), Qt::LeftButton);
        QVERIFY(menu->isVisible());
        menu->close();
        for (const bool connected : { true, false }) {
            const QString expected = connected ? QStringLiteral("Déconnecter") : QStringLiteral("Connecter");
            windows().setConnectCaptions(connected);
            QCOMPARE(caption("menuconnect"), expected);
            QCOMPARE(button("bt_connect")->toolTip(), expected);
        }
    }

    // Until the program's icon is in a tray, the floating window is the only way into the program:
    // it stays, and its menu gains "Connecter" and "Quitter"; a tray that starts later holds the
    // icon, and the usual menu and hiding come back.
    void noTray()
    {
        QMenu* menu = windows().menus().centreMenu();
        const QList<QAction*> centreEntries = menu->actions();
        windows().showFloatingWindow();
        windows().setTrayIconShown(false);
        QTest::mouseClick(child(centre(), QStringLiteral("bt_reduire")), Qt::LeftButton);
        QVERIFY(centre().isVisible() && settings().affiche_actu);
        QCOMPARE(menu->actions().mid(0, centreEntries.size()), centreEntries);
        QStringList added;
        for (QAction* action : menu->actions().mid(centreEntries.size()))
            added.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(added, (QStringList { "-", "menuconnect", "-", "menuquitter" }));

        windows().setTrayIconShown(true);
        QCOMPARE(menu->actions(), centreEntries);
        QTest::mouseClick(child(centre(), QStringLiteral("bt_reduire")), Qt::LeftButton);
        QVERIFY(!centre().isVisible() && !settings().affiche_actu);
    }

    // Both menus as the user reads them, top to bottom: each entry's name, first caption and what
    // choosing it asks for, opens or starts; "-" is a separator. The show and hide entries change
    // the captions: they have tests of their own.
    void menus()
    {
        m_rig->folder.writeBytes(QStringLiteral("graph"), QByteArray("#!/bin/sh\n"));
        const auto entries = [this](const QMenu* menu) {
            QStringList list;
            for (QAction* a : menu->actions()) {
                QString line = a->objectName() + u' ' + (a->isSeparator() ? QStringLiteral("-") : a->text());
                m_rig->calls.clear();
                m_rig->processes.opened.clear();
                m_rig->processes.started.clear();
                if (!a->objectName().endsWith(QLatin1String("affich")))
                    a->trigger();
                for (const QString& done : m_rig->calls + m_rig->processes.opened + m_rig->processes.started)
                    line += " > " + QString(done).remove(m_rig->folder.path() + u'/');
                list.append(line);
            }
            return list;
        };
        QCOMPARE(entries(windows().menus().trayMenu()),
            (QStringList { "Titre Chronolien", "menuaide Aide > doc/aide.htm",
                "menupropos A propos de... > about", "separateur -", "menuaffich Afficher",
                "menuconfig Configuration > configuration", "separateur2 -",
                "menuconnect Connecter > toggleConnection", "separateur3 -", "menuquitter Quitter > quit" }));
        QCOMPARE(entries(windows().menus().centreMenu()),
            (QStringList { "chronolien2 Chronolien", "separateur4 -", "menu2affich Afficher le compteur",
                "menu2graph Afficher le graphique > graph", "menu2config Configuration > configuration",
                "menu2aide Aide > doc/aide.htm", "menu2propos A propos de... > about" }));
    }

    // The floating window's picture follows the line; a skin chosen reaches the hidden windows too,
    // and a picture it lacks or cannot show leaves its window as it was.
    void skinFollowsTheLineAndTheChoice()
    {
        m_rig->writeSkin(Qt::red, Qt::blue, Qt::green, Qt::yellow);
        windows().showFloatingWindow();
        QVERIFY(draws(centre(), Qt::blue));
        QVERIFY(draws(windows().counterWindow(), Qt::green));
        windows().loadCentreSkin(true);
        QVERIFY(draws(centre(), Qt::red));
        m_rig->state.connectedFlag = true;
        showAll();
        QVERIFY(draws(centre(), Qt::red));
        QVERIFY(draws(windows().mailWindow(), Qt::yellow));

        windows().hideFloatingWindow();
        QVERIFY(
            m_rig->writePicture(QStringLiteral("bois"), QStringLiteral("mail.jpg"), { 193, 81 }, Qt::cyan));
        m_rig->folder.writeBytes(QStringLiteral("skin/bois/compteur.jpg"), "not a picture");
        settings().nomskin = QStringLiteral("bois");
        windows().reloadSkins();
        QVERIFY(draws(windows().mailWindow(), Qt::cyan));
        QVERIFY(draws(windows().counterWindow(), Qt::green));
        QVERIFY(draws(centre(), Qt::red));
    }

    // The month's alert look, red on an opaque background, and back to the skin showing through
    // once it is cleared (a reset).
    void counterAlertLook()
    {
        m_rig->writeSkin(Qt::red, Qt::blue, Qt::green, Qt::yellow);
        windows().showFloatingWindow();
        CounterWindow& counter = windows().counterWindow();
        QLabel* month = child<QLabel>(counter, "txt_cpt_mois");
        const QPoint besideTheText = month->geometry().topRight() + QPoint(-1, 1);
        for (const bool alert : { true, false }) {
            windows().setMonthAlertLook(alert);
            QCOMPARE(month->palette().color(QPalette::WindowText),
                alert ? QColor(255, 0, 0) : QColor(192, 255, 192));
            QCOMPARE(draws(counter, Qt::green, besideTheText), !alert);
        }
    }
};

QTEST_MAIN(TestProgramWindows)
#include "test_program_windows.moc"
