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

    FloatingWindow& centre() { return m_rig->windows.fl_centre(); }

    // The floating window shown at 5000, 500 twips with its counter and mail windows.
    void showAll()
    {
        m_rig->state.mailWindowShown = true;
        m_rig->windows.ShowFloatingWindow();
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
        QTest::newRow("background, fixed place") << false << false;
        QTest::newRow("connect button, position kept") << true << true;
        QTest::newRow("connect button, fixed place") << true << false;
    }

    void drag()
    {
        QFETCH(bool, fromConnectButton);
        QFETCH(bool, pos_mem);
        m_rig->state.settings.pos_mem = pos_mem;
        showAll();
        const QString storedX = m_rig->stored(QStringLiteral("pos_x"));
        const QPoint startPixels = centre().pos();

        QWidget* control = fromConnectButton ? static_cast<QWidget*>(centre().bt_connect()) : &centre();
        const QPoint grip = fromConnectButton ? control->rect().center() : OnBackground;
        QTest::mousePress(control, Qt::LeftButton, {}, grip);
        // 20 pixels are 300 twips.
        QTest::mouseMove(control, grip + QPoint(20, 0));
        QVERIFY(centre().dragging());
        QVERIFY(!m_rig->windows.fl_compteur().isVisible());
        QVERIFY(!m_rig->windows.fl_mail().isVisible());
        QTest::mouseRelease(control, Qt::LeftButton, {}, grip);

        QCOMPARE(centre().leftTwips(), 5300);
        QCOMPARE(centre().topTwips(), 500);
        QCOMPARE(centre().pos(), startPixels + QPoint(20, 0));
        QCOMPARE(m_rig->state.settings.pos_x, 5300);
        QCOMPARE(m_rig->state.settings.pos_y, 500);
        QCOMPARE(m_rig->stored(QStringLiteral("pos_x")), pos_mem ? QStringLiteral("5300") : storedX);
        // The satellites come back beside the window's new place.
        QVERIFY(m_rig->windows.fl_compteur().isVisible());
        QVERIFY(m_rig->windows.fl_mail().isVisible());
        QCOMPARE(m_rig->windows.fl_compteur().leftTwips(), 5300 - 360);
        QVERIFY(!centre().dragging());
    }

    void pointerFollowsOverSeveralMoves()
    {
        showAll();
        QTest::mousePress(&centre(), Qt::LeftButton, {}, OnBackground);
        QTest::mouseMove(&centre(), OnBackground + QPoint(5, 3));
        // Each event is measured where the window now stands.
        QTest::mouseMove(&centre(), OnBackground + QPoint(-10, 4));
        QTest::mouseRelease(&centre(), Qt::LeftButton, {}, OnBackground);
        QCOMPARE(centre().leftTwips(), 5000 + (5 - 10) * 15);
        QCOMPARE(centre().topTwips(), 500 + (3 + 4) * 15);
    }

    void pressAndReleaseWithoutMovingIsNoDrag()
    {
        showAll();
        const QByteArray before = m_rig->folder.readBytes(QStringLiteral("config.ini"));
        QWidget* button = centre().bt_connect();
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(button, QPoint(5, 5));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(centre().leftTwips(), 5000);
        QCOMPARE(m_rig->state.settings.pos_x, 5000);
        QCOMPARE(m_rig->folder.readBytes(QStringLiteral("config.ini")), before);
        QVERIFY(m_rig->windows.fl_compteur().isVisible());
    }

    void rightButtonDragsNothing()
    {
        showAll();
        QTest::mousePress(&centre(), Qt::RightButton, {}, OnBackground);
        QTest::mouseMove(&centre(), OnBackground + QPoint(20, 0));
        QTest::mouseRelease(&centre(), Qt::RightButton, {}, OnBackground);
        QCOMPARE(centre().leftTwips(), 5000);
        QVERIFY(!m_rig->windows.menus().menucentre()->isVisible());
        QVERIFY(m_rig->actions.calls.isEmpty());
    }

    void connectButton()
    {
        showAll();
        ClickArea* button = centre().bt_connect();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(m_rig->actions.calls.isEmpty());
        QTest::mouseDClick(button, Qt::LeftButton);
        QCOMPARE(m_rig->actions.calls, QStringList { QStringLiteral("ToggleConnection") });

        QTest::mousePress(button, Qt::RightButton);
        QMenu* menu = m_rig->windows.menus().menucentre();
        QVERIFY(menu->isVisible());
        QTest::mouseRelease(button, Qt::RightButton);
        menu->close();
    }

    void buttons()
    {
        showAll();
        QTest::mouseClick(centre().bt_config(), Qt::LeftButton);
        QMenu* menu = m_rig->windows.menus().menucentre();
        QVERIFY(menu->isVisible());
        menu->close();

        QTest::mouseClick(centre().bt_fermer(), Qt::LeftButton);
        QCOMPARE(m_rig->actions.calls, QStringList { QStringLiteral("QuitApplication") });

        QTest::mouseClick(centre().bt_reduire(), Qt::LeftButton);
        QVERIFY(!centre().isVisible());
        QVERIFY(!m_rig->windows.fl_compteur().isVisible());
        QVERIFY(!m_rig->windows.fl_mail().isVisible());
        QVERIFY(!m_rig->state.settings.affiche_actu);
    }

    void connectToolTipFollowsTheLine()
    {
        QCOMPARE(centre().bt_connect()->toolTip(), QStringLiteral("Connecter"));
        m_rig->windows.setConnectCaptions(true);
        QCOMPARE(centre().bt_connect()->toolTip(), QStringLiteral("Déconnecter"));
        m_rig->windows.setConnectCaptions(false);
        QCOMPARE(centre().bt_connect()->toolTip(), QStringLiteral("Connecter"));
    }

    void lights()
    {
        showAll();
        QVERIFY(!centre().led_down()->isVisible());
        QVERIFY(!centre().led_up()->isVisible());
        m_rig->windows.setDownLight(true);
        QVERIFY(centre().led_down()->isVisible());
        QVERIFY(!centre().led_up()->isVisible());
        m_rig->windows.setUpLight(true);
        m_rig->windows.setDownLight(false);
        QVERIFY(!centre().led_down()->isVisible());
        QVERIFY(centre().led_up()->isVisible());
    }
};

QTEST_MAIN(TestFloatingWindow)
#include "test_floating_window.moc"
