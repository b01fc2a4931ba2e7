#include "app/program.h"

#include "platform/linux/network_manager_line.h"
#include "platform/linux/ppp_line.h"

#include <QCoreApplication>
#include <utility>

namespace chronolien {

Program::Program(const QString& appFolder, QObject* parent)
    : QObject(parent)
    , m_appFolder(appFolder)
    , m_file(appFolder + QStringLiteral("/config.ini"), m_messages)
{
    m_secondTimer.setInterval(1000);
    m_saveTimer.setInterval(10000);
    m_mailTimer.setInterval(60000);
    // A handler may wait on a message box (the forced hang-up's among them). Qt never fires a timer
    // again while its own handler runs, so a plain handler would stop the ticks until the box is
    // answered: the line going down unseen, the time uncounted. Before a box waits, the timer whose
    // handler shows it is started anew, which is then a timer not running a handler, and the next
    // firings still come while the box waits. (Starting it anew at every firing would do the same,
    // for more work each second.)
    const auto fire = [this](QTimer& timer, std::function<void()> handler) {
        connect(&timer, &QTimer::timeout, this, [this, &timer, handler = std::move(handler)] {
            QTimer* const outer = std::exchange(m_firing, &timer);
            handler();
            m_firing = outer;
        });
    };
    m_messages.setBeforeWaiting([this] {
        if (m_firing)
            m_firing->start();
    });
    fire(m_secondTimer, [this] {
        m_ticker.mainTick();
        m_trayNotices.refreshToolTip();
    });
    fire(m_saveTimer, [this] { m_ticker.saveState(); });
    fire(m_mailTimer, [this] { m_ticker.mailTimerFired(); });

    // The counter texts are the accounting's and the mail lines the mail list's, built after the
    // windows.
    m_windows.setCounterDisplayRefresh([this] { m_accounting.updateCounterDisplay(); });
    m_windows.setMailListFill([this] { m_mailList.fillMailList(); });
    m_mailDisplay.connectTo(m_mailList);

    connect(&m_windows, &ProgramWindows::toggleConnectionRequested, this, &Program::toggleConnection);
    connect(&m_windows, &ProgramWindows::configurationRequested, this,
        [this] { m_configuration.openConfiguration(); });
    connect(&m_windows, &ProgramWindows::aboutRequested, this, [this] { m_about.showAboutBox(); });
    connect(&m_windows, &ProgramWindows::quitRequested, this, &Program::quit);

    connect(&m_trayIcon, &TrayIcon::clicked, this, &Program::toggleConnection);
    connect(&m_trayIcon, &TrayIcon::shown, this, [this] {
        m_trayNotices.setIcon(m_trayIcon.icon());
        m_windows.setTrayIconShown(true);
    });
}

Program::~Program() = default;

std::unique_ptr<Line> Program::systemLine(const LineChoice& choice)
{
    if (choice.isDialUp())
        return std::make_unique<PppLine>(std::make_unique<LinkEvents>());
    return std::make_unique<NetworkManagerLine>(choice.networkManagerConnection);
}

void Program::start()
{
    m_trayIcon.show();
    m_application.initApplication(m_appFolder);
    m_line.followChoice();
    m_trayNotices.refreshToolTip();
    if (!m_trayIcon.isShown()) {
        // The program would have no way in; the floating window's menu reaches everything.
        m_windows.setTrayIconShown(false);
        if (!m_state.settings.affiche_actu)
            m_windows.showFloatingWindow();
    }
    m_secondTimer.start();
    m_saveTimer.start();
    m_mailTimer.start();
}

void Program::toggleConnection()
{
    m_monitor.toggleConnection(m_state.connectedFlag);
}

void Program::quit()
{
    if (!m_application.quitApplication())
        return;
    m_secondTimer.stop();
    m_saveTimer.stop();
    m_mailTimer.stop();
    QCoreApplication::quit();
}

} // namespace chronolien
