#pragma once

#include "accounting/time_accounting.h"
#include "connection/connection_monitor.h"
#include "core/application.h"
#include "core/ticker.h"
#include "history/connection_history.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/logic_rig.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <functional>

namespace chronolien::test {

// Stands in for everything the core's hooks reach beyond the windows, writing one log; a test may
// hook the disconnection (to do what it does to the state), the throughput step (to spend time in
// the tick) and the tray's removal (to look at the state then).
struct RecordingShell {
    QStringList log;
    std::function<void()> onLineDown;
    std::function<void()> onThroughput;
    std::function<void()> onRemoveTrayIcon;

    int count(const char* name) const { return int(log.count(QLatin1String(name))); }

    // A hook that logs its name, then runs the test's addition when there is one.
    std::function<void()> recorder(const char* name, const std::function<void()>* then = nullptr)
    {
        return [this, name, then] {
            log.append(QLatin1String(name));
            if (then && *then)
                (*then)();
        };
    }
    Ticker::Hooks tickerHooks()
    {
        return { recorder("lineUp"), recorder("lineDown", &onLineDown),
            recorder("connectedTick", &onThroughput), recorder("startMailCheck") };
    }
    Application::Hooks applicationHooks()
    {
        return { recorder("loadAccounts"), recorder("closeMailSockets"), recorder("loadForfaitPage"),
            recorder("removeTrayIcon", &onRemoveTrayIcon) };
    }
};

// The core's logic over fakes, in a fresh application folder, started as the program starts.
struct CoreRig : LogicRig {
    RecordingShell shell;
    ConnectionHistory history { folder.file(QStringLiteral("historique.csv")) };
    Ticker ticker { state, settings, fakes.clock, fakes.line, monitor, accounting, history,
        shell.tickerHooks() };
    Application application { state, settings, fakes.clock, fakes.messages, windows, accounting, ticker,
        shell.applicationHooks() };

    CoreRig() { application.initApplication(folder.path()); }

    // A line that was already up at the last tick, with the last-tick time taken now.
    void connected()
    {
        fakes.line.setUp(true);
        state.connectedFlag = true;
        ticker.startTiming();
        shell.log.clear();
    }
    void tickAfter(float seconds)
    {
        fakes.clock.advance(seconds);
        ticker.mainTick();
    }
};

} // namespace chronolien::test
