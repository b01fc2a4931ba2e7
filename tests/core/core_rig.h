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
#include "support/logic_rig.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <functional>

namespace chronolien::test {

// Stands in for everything the core calls beyond the windows, writing one log; a test may hook
// the throughput step (to spend time in the tick) and the tray's removal (to look at the state then).
class RecordingShell final : public ConnectionEvents,
                             public MailCheckStarter,
                             public MailLifecycle,
                             public ConfigurationPages,
                             public TrayIcon {
public:
    void OnConnect() override { log.append(QStringLiteral("OnConnect")); }
    void OnDisconnect() override { log.append(QStringLiteral("OnDisconnect")); }
    void UpdateThroughput() override
    {
        log.append(QStringLiteral("UpdateThroughput"));
        if (onThroughput)
            onThroughput();
    }
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
    int count(const char* name) const { return int(log.count(QLatin1String(name))); }

    QStringList log;
    std::function<void()> onThroughput;
    std::function<void()> onRemoveTrayIcon;
};

// The core's logic over fakes, in a fresh application folder, started as the program starts.
struct CoreRig : LogicRig {
    RecordingShell shell;
    Ticker ticker { state, file, fakes.clock, monitor, accounting, shell, shell };
    Application application { state, file, fakes.clock, fakes.messages, windows, accounting, ticker, shell,
        shell, shell };

    CoreRig() { application.InitApplication(folder.path()); }

    // A line that was already up at the last tick, with the last-tick time taken now.
    void connected()
    {
        fakes.line.setUp(true);
        state.connectedFlag = true;
        ticker.StartTiming();
        shell.log.clear();
    }
    void tickAfter(float seconds)
    {
        fakes.clock.advance(seconds);
        ticker.MainTick();
    }
};

} // namespace chronolien::test
