#include "app/program.h"

#include <QCoreApplication>

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
    // again while its own handler runs, so a direct call would stop the ticks until the box is
    // answered: the line going down unseen, the time uncounted. Queued, each firing ends at once
    // and the next ones still come while the box waits.
    connect(
        &m_secondTimer, &QTimer::timeout, this,
        [this] {
            m_ticker.mainTick();
            m_trayNotices.refreshToolTip();
        },
        Qt::QueuedConnection);
    connect(
        &m_saveTimer, &QTimer::timeout, this, [this] { m_ticker.saveState(); }, Qt::QueuedConnection);
    connect(
        &m_mailTimer, &QTimer::timeout, this, [this] { m_ticker.mailTimerFired(); }, Qt::QueuedConnection);

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

void Program::start()
{
    m_trayIcon.show();
    m_application.initApplication(m_appFolder);
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
