#include "app/fl_init.h"

#include "app/tray_picture.h"
#include "ui/program_menus.h"

#include <QCoreApplication>

namespace chronolien {

FlInit::FlInit(const QString& appFolder, QObject* parent)
    : QObject(parent)
    , m_appFolder(appFolder)
    , m_file(appFolder + QStringLiteral("/config.ini"), m_messages)
{
    tps_seconde.setInterval(1000);
    tps_sauv.setInterval(10000);
    tps_mail.setInterval(60000);
    // A handler may wait on a message box (the forced hang-up's among them). Qt never fires a timer
    // again while its own handler runs, so a direct call would stop the ticks until the box is
    // answered: the line going down unseen, the time uncounted. Queued, each firing ends at once
    // and the next ones still come while the box waits.
    connect(
        &tps_seconde, &QTimer::timeout, this, [this] { m_ticker.MainTick(); }, Qt::QueuedConnection);
    connect(
        &tps_sauv, &QTimer::timeout, this, [this] { m_ticker.SaveState(); }, Qt::QueuedConnection);
    connect(
        &tps_mail, &QTimer::timeout, this, [this] { m_ticker.MailTimerFired(); }, Qt::QueuedConnection);

    // The counter texts are the accounting's, built after the windows.
    m_windows.setCounterDisplayRefresh([this] { m_accounting.UpdateCounterDisplay(); });

    m_trayIcon.setIcon(trayPicture());
    m_trayIcon.setToolTip(QStringLiteral("Chronolien"));
    m_trayIcon.setContextMenu(m_windows.menus().menuicone());
    connect(&m_trayIcon, &QSystemTrayIcon::activated, this, &FlInit::trayActivated);
}

FlInit::~FlInit() = default;

void FlInit::Load()
{
    m_trayIcon.show();
    m_application.InitApplication(m_appFolder);
    tps_seconde.start();
    tps_sauv.start();
    tps_mail.start();
}

void FlInit::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    // The right button opens the context menu by itself; a hover reaches nothing here.
    if (reason == QSystemTrayIcon::Trigger)
        ToggleConnection();
}

void FlInit::ToggleConnection()
{
    m_monitor.ToggleConnection(m_state.connectedFlag);
}

void FlInit::OpenConfiguration()
{
    m_pages.OpenConfiguration();
}

void FlInit::ShowAboutBox()
{
    m_pages.ShowAboutBox();
}

void FlInit::QuitApplication()
{
    quitRequested();
}

void FlInit::quitRequested()
{
    if (!m_application.QuitApplication())
        return;
    tps_seconde.stop();
    tps_sauv.stop();
    tps_mail.stop();
    QCoreApplication::quit();
}

void FlInit::RemoveTrayIcon()
{
    m_trayIcon.hide();
}

} // namespace chronolien
