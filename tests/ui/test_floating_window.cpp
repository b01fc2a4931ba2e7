// The floating window's buttons and its drag, with real widgets and mouse events.
#include "ui/click_area.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "ui/program_menus.h"
#include "ui/shape_widget.h"
#include "window_rig.h"

#include <QMenu>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// A point of the background that no button covers.
const QPoint OnBackground(66, 40);

} // namespace

class TestFloatingWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowRig> m_rig;

    FloatingWindow& centre() { return m_rig->windows.floatingWindow(); }
    bool satellitesShown()
    {
        return m_rig->windows.counterWindow().isVisible() && m_rig->windows.mailWindow().isVisible();
    }

    // The floating window shown at 5000, 500 twips with its counter and mail windows.
    void showAll()
    {
        m_rig->state.mailWindowShown = true;
        m_rig->windows.showFloatingWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&centre()));
    }

private Q_SLOTS:
    void init() { m_rig = std::make_unique<WindowRig>(); }
    void cleanup() { m_rig.reset(); }

    void drag_data()
    {
        QTest::addColumn<bool>("fromConnectButton");
        QTest::addColumn<bool>("pos_mem");
        QTest::newRow("background, position kept") << false << true;
        QTest::newRow("connect button, fixed place") << true << false;
    }
    void drag()
    {
        QFETCH(bool, fromConnectButton);
        QFETCH(bool, pos_mem);
        m_rig->state.settings.pos_mem = pos_mem;
        showAll();
        const QString storedX = m_rig->stored(QStringLiteral("pos_x"));
        QWidget* control
            = fromConnectButton ? static_cast<QWidget*>(child<ClickArea>(centre(), "bt_connect")) : &centre();
        const QPoint grip = fromConnectButton ? control->rect().center() : OnBackground;

        // Each move is measured where the window now stands: 5 + 15 pixels are 300 twips.
        QTest::mousePress(control, Qt::LeftButton, {}, grip);
        QTest::mouseMove(control, grip + QPoint(5, 3));
        QVERIFY(!satellitesShown());
        QTest::mouseMove(control, grip + QPoint(15, -3));
        QTest::mouseRelease(control, Qt::LeftButton, {}, grip);

        QCOMPARE(centre().leftTwips(), 5300);
        QCOMPARE(centre().topTwips(), 500);
        QCOMPARE(centre().pos(), QPoint(353, 33));
        QCOMPARE(m_rig->state.settings.pos_x, 5300);
        QCOMPARE(m_rig->stored(QStringLiteral("pos_x")), pos_mem ? QStringLiteral("5300") : storedX);
        // The satellites come back beside the window's new place.
        QVERIFY(satellitesShown());
        QCOMPARE(m_rig->windows.counterWindow().leftTwips(), 5300 - 360);
        QVERIFY(m_rig->actions.calls.isEmpty());
    }

    void noDrag_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("move");
        QTest::newRow("left press and release without moving") << Qt::LeftButton << QPoint(0, 0);
        QTest::newRow("right button moved") << Qt::RightButton << QPoint(20, 0);
    }
    void noDrag()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, move);
        showAll();
        const QByteArray before = m_rig->folder.readBytes(QStringLiteral("config.ini"));
        QTest::mousePress(&centre(), button, {}, OnBackground);
        QTest::mouseMove(&centre(), OnBackground + move);
        QTest::mouseRelease(&centre(), button, {}, OnBackground);
        QCOMPARE(centre().leftTwips(), 5000);
        QCOMPARE(m_rig->folder.readBytes(QStringLiteral("config.ini")), before);
        QVERIFY(satellitesShown());
        QVERIFY(!m_rig->windows.menus().centreMenu()->isVisible());
    }

    void connectButton()
    {
        showAll();
        ClickArea* button = child<ClickArea>(centre(), "bt_connect");
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(m_rig->actions.calls.isEmpty());
        QTest::mouseDClick(button, Qt::LeftButton);
        QCOMPARE(m_rig->actions.calls, QStringList { QStringLiteral("toggleConnection") });

        QTest::mousePress(button, Qt::RightButton);
        QMenu* menu = m_rig->windows.menus().centreMenu();
        QVERIFY(menu->isVisible());
        QTest::mouseRelease(button, Qt::RightButton);
        menu->close();
    }

    void buttons()
    {
        showAll();
        QTest::mouseClick(child<ClickArea>(centre(), "bt_config"), Qt::LeftButton);
        QMenu* menu = m_rig->windows.menus().centreMenu();
        QVERIFY(menu->isVisible());
        menu->close();

        QTest::mouseClick(child<ClickArea>(centre(), "bt_fermer"), Qt::LeftButton);
        QCOMPARE(m_rig->actions.calls, QStringList { QStringLiteral("quit") });

        QTest::mouseClick(child<ClickArea>(centre(), "bt_reduire"), Qt::LeftButton);
        QVERIFY(!centre().isVisible());
        QVERIFY(!m_rig->windows.counterWindow().isVisible());
        QVERIFY(!m_rig->windows.mailWindow().isVisible());
        QVERIFY(!m_rig->state.settings.affiche_actu);
    }

    void lights()
    {
        showAll();
        QVERIFY(!child<ShapeWidget>(centre(), "led_down")->isVisible()
            && !child<ShapeWidget>(centre(), "led_up")->isVisible());
        m_rig->windows.setDownLight(true);
        QVERIFY(child<ShapeWidget>(centre(), "led_down")->isVisible()
            && !child<ShapeWidget>(centre(), "led_up")->isVisible());
        m_rig->windows.setUpLight(true);
        m_rig->windows.setDownLight(false);
        QVERIFY(!child<ShapeWidget>(centre(), "led_down")->isVisible()
            && child<ShapeWidget>(centre(), "led_up")->isVisible());
    }
};

QTEST_MAIN(TestFloatingWindow)
#include "test_floating_window.moc"
