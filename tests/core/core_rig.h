#pragma once

#include "accounting/time_accounting.h"
#include "connection/connection_monitor.h"
#include "core/app_state.h"
#include "core/application.h"
#include "core/configuration_pages.h"
#include "core/connection_events.h"
#include "core/mail_check.h"
#include "core/mail_lifecycle.h"
#include "core/ticker.h"
#include "core/tray_icon.h"
#include "settings/settings_file.h"
#include "support/fake_services.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <functional>

namespace chronolien::test {

// Records the connection actions; a test may hook the throughput step to spend time in the tick.
class RecordingConnectionEvents final : public ConnectionEvents {
public:
    void OnConnect() override { calls.append(QStringLiteral("OnConnect")); }
    void OnDisconnect() override { calls.append(QStringLiteral("OnDisconnect")); }
    void UpdateThroughput() override
    {
        calls.append(QStringLiteral("UpdateThroughput"));
        if (onThroughput)
            onThroughput();
    }
    int count(const QString& name) const { return int(calls.count(name)); }

    QStringList calls;
    std::function<void()> onThroughput;
};

// Stands in for the mail checker, the configuration dialog and the tray icon, writing one log.
class RecordingShell final : public MailCheckStarter, public MailLifecycle, public ConfigurationPages, public TrayIcon {
public:
    void StartMailCheck() override { log.append(QStringLiteral("StartMailCheck")); }
    void LoadAccounts() override { log.append(QStringLiteral("LoadAccounts")); }
    void CloseMailSockets() override { log.append(QStringLiteral("CloseMailSockets")); }
    void LoadForfaitPage() override { log.append(QStringLiteral("LoadForfaitPage")); }
    void RemoveTrayIcon() override
    {
        log.append(QStringLiteral("RemoveTrayIcon"));
        if (onRemoveTrayIcon)
            onRemoveTrayIcon();
    }
    int count(const QString& name) const { return int(log.count(name)); }

    QStringList log;
    std::function<void()> onRemoveTrayIcon;
};

// The core's logic over fakes, in a fresh application folder.
struct CoreRig {
    TempAppFolder folder;
    FakeServices fakes;
    AppState state;
    SettingsFile file { folder.file(QStringLiteral("config.ini")), fakes.messages };
    RecordingWindows windows { state };
    ConnectionMonitor monitor { fakes.line };
    TimeAccounting accounting { state, file, fakes.clock, fakes.messages, windows, monitor };
    RecordingConnectionEvents events;
    RecordingShell shell;
    Ticker ticker { state, file, fakes.clock, monitor, accounting, events, shell };
    Application application { state,  file,    fakes.clock, fakes.messages, windows,
                              accounting, ticker, shell,       shell,          shell };

    // Started as the program starts: settings loaded from the folder, first clock reading taken.
    CoreRig() { application.InitApplication(folder.path()); }

    // A line that was already up at the last tick, with the last-tick time taken now.
    void connected()
    {
        fakes.line.setUp(true);
        state.connectedFlag = true;
        ticker.StartTiming();
    }
    // One tick, the given seconds after the clock's current reading.
    void tickAfter(float seconds)
    {
        fakes.clock.advance(seconds);
        ticker.MainTick();
    }
};

} // namespace chronolien::test
