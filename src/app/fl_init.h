#pragma once

#include "accounting/time_accounting.h"
#include "app/config_parts.h"
#include "app/line_events.h"
#include "app/mail_parts.h"
#include "connection/connection_actions.h"
#include "connection/connection_monitor.h"
#include "connection/throughput.h"
#include "core/app_state.h"
#include "core/application.h"
#include "core/ticker.h"
#include "core/tray_icon.h"
#include "platform/linux/desktop_process_starter.h"
#include "platform/linux/qt_sound_player.h"
#include "platform/linux/sysfs_interface_table.h"
#include "platform/linux/sysfs_line_services.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/widget_message_box.h"
#include "settings/settings_file.h"
#include "ui/program_windows.h"
#include "ui/user_actions.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

namespace chronolien {

// fl_init, the program's hidden main object: it owns the three timers, the tray icon and its menu,
// builds the logic over the system's services, and hands every event to that logic.
class FlInit final : public QObject, private TrayIcon, private UserActions {
    Q_OBJECT
public:
    explicit FlInit(const QString& appFolder, QObject* parent = nullptr);
    ~FlInit() override;

    // Registers the tray icon, runs InitApplication and starts the timers.
    void Load();

private:
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void quitRequested();
    void RemoveTrayIcon() override;

    // What the menus and the floating window ask for.
    void ToggleConnection() override;
    void OpenConfiguration() override;
    void ShowAboutBox() override;
    void QuitApplication() override;

    const QString m_appFolder;

    SystemClock m_clock;
    SysfsLineServices m_line;
    SysfsInterfaceTable m_interfaces;
    QtSoundPlayer m_sound { m_appFolder + QStringLiteral("/libchronolien_sound.so") };
    DesktopProcessStarter m_processes;
    WidgetMessageBox m_messages;

    AppState m_state;
    SettingsFile m_file;
    ProgramWindows m_windows { m_state, m_file, m_processes, *this };
    MailParts m_mail { m_state, m_windows, m_sound, m_messages };
    ConnectionMonitor m_monitor { m_line };
    TimeAccounting m_accounting { m_state, m_file, m_clock, m_messages, m_windows, m_monitor };
    ConfigParts m_pages { m_state, m_file, m_messages, m_sound, m_processes, m_accounting, m_windows };
    ConnectionActions m_actions { m_state, m_windows, m_sound, m_processes, m_mail, m_accounting };
    Throughput m_throughput { m_interfaces, m_clock, m_windows };
    LineEvents m_events { m_actions, m_throughput };
    Ticker m_ticker { m_state, m_file, m_clock, m_monitor, m_accounting, m_events, m_mail };
    Application m_application { m_state, m_file, m_clock, m_messages, m_windows, m_accounting, m_ticker,
        m_mail, m_pages, *this };

    QTimer tps_seconde;
    QTimer tps_sauv;
    QTimer tps_mail;
    QSystemTrayIcon m_trayIcon;
};

} // namespace chronolien
