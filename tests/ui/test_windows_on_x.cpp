// The windows on a real X server: their outlines as the screen shows them and a drag made with the
// real pointer.
#include "skins/window_outlines.h"
#include "ui/click_area.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "window_rig.h"
#include "xvfb_display.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

const QColor SkinColour(255, 0, 255);

bool isSkin(QColor c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() > 200;
}

// What the screen shows where the window stands, the size of the window.
QImage onScreen(const QWidget& window)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, window.x(), window.y(), window.width(), window.height())
        .toImage();
}

} // namespace

class TestWindowsOnX : public QObject {
    Q_OBJECT

public:
    explicit TestWindowsOnX(const XvfbDisplay& server)
        : m_server(server)
    {
    }

private:
    const XvfbDisplay& m_server;
    std::unique_ptr<WindowRig> m_rig;

    // Every window in one bright colour, so that the screen shows exactly where each one is.
    void showAllInOneColour()
    {
        const QString skin = QStringLiteral("jupiter");
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("centre2.jpg"), { 73, 65 }, SkinColour));
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("compteur.jpg"), { 121, 57 }, SkinColour));
        QVERIFY(m_rig->writePicture(skin, QStringLiteral("mail.jpg"), { 193, 81 }, SkinColour));
        m_rig->state.mailWindowShown = true;
        m_rig->windows.showFloatingWindow();
        for (QWidget* window : { static_cast<QWidget*>(&m_rig->windows.floatingWindow()),
                 static_cast<QWidget*>(&m_rig->windows.counterWindow()),
                 static_cast<QWidget*>(&m_rig->windows.mailWindow()) })
            QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY(isSkin(onScreen(m_rig->windows.floatingWindow()).pixelColor(36, 32)));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!m_server.isRunning())
            QSKIP(qPrintable(
                QStringLiteral("no X server for outline and pointer tests: ") + m_server.failure()));
    }

    void init() { m_rig = std::make_unique<WindowRig>(); }
    void cleanup() { m_rig.reset(); }

    // What only the screen shows: each window's colour exactly inside its outline, whose pixels the
    // outline tests check; where the windows stand is the offscreen windows' test.
    void outlinesOnScreen_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("fl_centre") << 0;
        QTest::newRow("fl_compteur") << 1;
        QTest::newRow("fl_mail") << 2;
    }
    void outlinesOnScreen()
    {
        QFETCH(int, window);
        showAllInOneColour();
        const std::array<SkinnedWindow*, 3> windows { &m_rig->windows.floatingWindow(),
            &m_rig->windows.counterWindow(), &m_rig->windows.mailWindow() };
        const std::array<QRegion, 3> outlines { centreWindowOutline(), counterWindowOutline(),
            mailWindowOutline() };
        SkinnedWindow& shown = *windows.at(window);
        m_rig->windows.setCounterTexts(QString(), QString());
        // The satellites touch each other's corners: the others go, so that the screen shows this one alone.
        for (SkinnedWindow* other : windows) {
            if (other != &shown)
                other->hide();
        }
        const auto firstMismatch = [&] {
            const QImage shot = onScreen(shown);
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) {
                    if (isSkin(shot.pixelColor(x, y)) != outlines.at(window).contains(QPoint(x, y)))
                        return QStringLiteral("pixel (%1, %2) disagrees with the outline").arg(x).arg(y);
                }
            }
            return QString();
        };
        QTRY_COMPARE(firstMismatch(), QString());
    }

    void dragWithTheRealPointer()
    {
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xdotool.isEmpty())
            QSKIP("xdotool is not installed: no real pointer to drag with");
        showAllInOneColour();
        FloatingWindow& centre = m_rig->windows.floatingWindow();
        const QPoint grip = centre.mapToGlobal(QPoint(66, 40));
        const QStringList steps { QStringLiteral("mousemove"), QString::number(grip.x()),
            QString::number(grip.y()), QStringLiteral("mousedown"), QStringLiteral("1"),
            QStringLiteral("mousemove"), QString::number(grip.x() + 10), QString::number(grip.y()),
            QStringLiteral("mousemove"), QString::number(grip.x() + 20), QString::number(grip.y()),
            QStringLiteral("mouseup"), QStringLiteral("1") };
        QProcess pointer;
        pointer.start(xdotool, steps);
        QVERIFY(pointer.waitForFinished(10000));
        QCOMPARE(pointer.exitCode(), 0);
        // What the drag then does with the place is the floating window's test.
        QTRY_COMPARE(m_rig->state.settings.pos_x, 5300);
        QCOMPARE(centre.pos(), QPoint(353, 33));
    }
};

CHRONOLIEN_XVFB_TEST_MAIN(TestWindowsOnX)
#include "test_windows_on_x.moc"
