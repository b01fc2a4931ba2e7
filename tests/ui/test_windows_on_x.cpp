// The windows on a real X server, as the screen shows them and as the real pointer drags them.
#include "skins/window_outlines.h"
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

    const XvfbDisplay& m_x;
    std::unique_ptr<WindowRig> m_rig;

    // Every window in one bright colour, so that the screen shows exactly where each one is.
    void showAllInOneColour()
    {
        m_rig->writeSkin(SkinColour, SkinColour, SkinColour, SkinColour);
        m_rig->state.mailWindowShown = true;
        m_rig->windows.showFloatingWindow();
        QTRY_VERIFY(isSkin(onScreen(m_rig->windows.floatingWindow()).pixelColor(36, 32)));
    }

public:
    explicit TestWindowsOnX(const XvfbDisplay& x)
        : m_x(x)
    {
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!m_x.isRunning())
            QSKIP(qPrintable(QStringLiteral("no X server for outline and pointer tests: ") + m_x.failure()));
    }

    void init() { m_rig = std::make_unique<WindowRig>(); }
    void cleanup() { m_rig.reset(); }

    // What only the screen shows: each window's colour exactly inside its outline, whose pixels the
    // outline tests check; where the windows stand is the offscreen windows' test.
    void outlinesOnScreen()
    {
        showAllInOneColour();
        m_rig->windows.setCounterTexts(QString(), QString());
        const std::array<std::pair<SkinnedWindow*, QRegion>, 3> windows { {
            { &m_rig->windows.floatingWindow(), centreWindowOutline() },
            { &m_rig->windows.counterWindow(), counterWindowOutline() },
            { &m_rig->windows.mailWindow(), mailWindowOutline() },
        } };
        for (const auto& shown : windows) {
            // The satellites touch each other's corners: the screen shows one window at a time.
            for (const auto& window : windows)
                window.first->setVisible(window.first == shown.first);
            const auto firstMismatch = [&shown] {
                const QImage shot = onScreen(*shown.first);
                for (int y = 0; y < shot.height(); ++y) {
                    for (int x = 0; x < shot.width(); ++x) {
                        if (isSkin(shot.pixelColor(x, y)) != shown.second.contains(QPoint(x, y)))
                            return shown.first->objectName()
                                + QStringLiteral(": pixel (%1, %2) disagrees with the outline").arg(x).arg(y);
                    }
                }
                return QString();
            };
            QTRY_COMPARE(firstMismatch(), QString());
        }
    }

    void dragWithTheRealPointer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed: no real pointer to drag with");
        showAllInOneColour();
        FloatingWindow& centre = m_rig->windows.floatingWindow();
        const QPoint grip = centre.mapToGlobal(QPoint(66, 40));
        const QString steps
            = QString::asprintf("mousemove %d %d mousedown 1 mousemove %d %d mousemove %d %d mouseup 1",
                grip.x(), grip.y(), grip.x() + 10, grip.y(), grip.x() + 20, grip.y());
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), steps.split(u' ')), 0);
        // What the drag then does with the place is the offscreen windows' test.
        QTRY_COMPARE(m_rig->state.settings.pos_x, 5300);
        QCOMPARE(centre.pos(), QPoint(353, 33));
    }
};

CHRONOLIEN_XVFB_MAIN(TestWindowsOnX)
#include "test_windows_on_x.moc"
