#include "app/fl_init.h"

#include "app/tray_picture.h"

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
    connect(&tps_seconde, &QTimer::timeout, this, [this] { m_ticker.MainTick(); });
    connect(&tps_sauv, &QTimer::timeout, this, [this] { m_ticker.SaveState(); });
    connect(&tps_mail, &QTimer::timeout, this, [this] { m_ticker.MailTimerFired(); });

    QAction* menuquitter = menuicone.addAction(QStringLiteral("Quitter"));
    connect(menuquitter, &QAction::triggered, this, &FlInit::quitRequested);

    m_trayIcon.setIcon(trayPicture());
    m_trayIcon.setToolTip(QStringLiteral("Chronolien"));
    m_trayIcon.setContextMenu(&menuicone);
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
        m_monitor.ToggleConnection(m_state.connectedFlag);
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
