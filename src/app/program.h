#pragma once

#include "accounting/time_accounting.h"
#include "app/tray_icon.h"
#include "app/tray_notices.h"
#include "config_dialog/about_box.h"
#include "config_dialog/config_dialog_launcher.h"
#include "config_dialog/dialog_file_chooser.h"
#include "connection/chosen_line.h"
#include "connection/connection_monitor.h"
#include "connection/throughput.h"
#include "core/application.h"
#include "core/connection_actions.h"
#include "core/ticker.h"
#include "history/connection_history.h"
#include "mail/accounts_file.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "mail/mail_list_logic.h"
#include "mail/new_mail_announcer.h"
#include "platform/linux/dbus_notifier.h"
#include "platform/linux/desktop_process_starter.h"
#include "platform/linux/desktop_tray_host_watcher.h"
#include "platform/linux/module_socket_maker.h"
#include "platform/linux/network_manager_connections.h"
#include "platform/linux/qt_sound_player.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/widget_message_box.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "ui/mail_list_display.h"
#include "ui/program_menus.h"
#include "ui/program_windows.h"

#include <QObject>
#include <QTimer>

namespace chronolien {

// The program's hidden main object: it owns the system's services, the logic over them, the
// windows, the three timers and the tray icon, and wires them together.
class Program final : public QObject {
    Q_OBJECT
public:
    explicit Program(const QString& appFolder, QObject* parent = nullptr);
    ~Program() override;

    // Registers the tray icon, runs the start-up and starts the timers. With no tray to hold the
    // icon, the floating window opens instead, until a tray starts.
    void start();

private:
    static std::unique_ptr<Line> systemLine(const LineChoice& choice);
    void toggleConnection();
    void quit();

    const QString m_appFolder;

    SystemClock m_clock;
    QtSoundPlayer m_sound { m_appFolder + QStringLiteral("/libchronolien_sound.so") };
    ModuleSocketMaker m_sockets { m_appFolder + QStringLiteral("/libchronolien_network.so") };
    DesktopProcessStarter m_processes;
    WidgetMessageBox m_messages;
    QTimer* m_firing = nullptr; // the timer whose handler runs, if one does
    DesktopTrayHostWatcher m_trayHosts;

    AppState m_state;
    // The dial-up line or a NetworkManager connection, as config.ini's "ligne" says.
    ChosenLine m_line { m_state.settings.ligne, &Program::systemLine };
    SettingsFile m_file;
    SettingsStore m_settings { m_state.settings, m_file };
    ProgramWindows m_windows { m_state, m_settings, m_processes };
    TrayIcon m_trayIcon { m_trayHosts, m_windows.menus().trayMenu() };

    // The mail list, its checker and its deleter refer to each other: a check fills the list, the
    // list starts deletions, a deletion ends with a check. None uses another while being built.
    MailListDisplay m_mailDisplay { m_windows.mailWindow() };
    MailListLogic m_mailList { m_state, m_windows, m_sound, m_mailDisplay, m_mailDeleter };
    // A check's changes to the list pass through the announcer, which tells the desktop of new mail.
    DBusNotifier m_notifier;
    NewMailAnnouncer m_newMail { m_state, m_mailList, m_notifier,
        [this](const QString& title, const QString& text) { m_trayNotices.showBalloon(title, text); } };
    MailChecker m_mailChecker { m_state, m_sound, m_messages, m_newMail, m_sockets };
    MailDeleter m_mailDeleter { m_state, m_sockets, [this] { m_mailChecker.startMailCheck(); } };

    ConnectionMonitor m_monitor { m_line };
    TimeAccounting m_accounting { m_state, m_settings, m_clock, m_messages, m_windows, m_monitor };
    DialogFileChooser m_fileChooser;
    AboutBoxOpener m_about { m_processes };
    ConfigDialogLauncher m_configuration { ConfigDialogContext { m_state, m_settings, m_messages, m_sound,
        m_processes, m_accounting, m_windows, m_fileChooser, m_about, [this] { m_windows.reloadSkins(); },
        [] { return networkManagerConnectionNames(); } } };
    ConnectionActions m_connectionActions { m_state, m_windows, m_sound, m_processes, m_accounting,
        [this] { m_mailChecker.startMailCheck(); } };
    Throughput m_throughput { m_clock, m_windows };
    ConnectionHistory m_history { m_appFolder + QStringLiteral("/historique.csv") };
    Ticker m_ticker { m_state, m_settings, m_clock, m_line, m_monitor, m_accounting, m_history,
        Ticker::Hooks {
            .lineUp = [this] { m_connectionActions.onConnect(); },
            .lineDown = [this] { m_connectionActions.onDisconnect(); },
            .connectedTick
            = [this](std::optional<Line::Traffic> traffic) { m_throughput.updateThroughput(traffic); },
            .startMailCheck = [this] { m_mailChecker.startMailCheck(); },
        } };
    Application m_application { m_state, m_settings, m_clock, m_messages, m_windows, m_accounting, m_ticker,
        Application::Hooks {
            .loadAccounts =
                [this] {
                    loadAccounts(m_state.mailboxAccounts, m_state.dataPath(QStringLiteral("courrier.ini")));
                },
            .closeMailSockets = [this] { m_mailChecker.closeAll(); },
            .loadForfaitPage = [this] { m_configuration.loadForfaitPage(); },
            .removeTrayIcon = [this] { m_trayIcon.remove(); },
        } };

    QTimer m_secondTimer; // tps_seconde: the tick
    QTimer m_saveTimer; // tps_sauv: the save
    QTimer m_mailTimer; // tps_mail: the mail check's minutes
    TrayNotices m_trayNotices { m_state }; // the tray icon's tooltip and balloon
};

} // namespace chronolien
