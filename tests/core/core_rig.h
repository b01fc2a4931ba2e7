#pragma once

#include "core/application.h"
#include "core/connection_actions.h"
#include "core/ticker.h"
#include "history/connection_history.h"
#include "support/logic_rig.h"

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

    // A hook that logs its name, then runs the test's addition when there is one.
    std::function<void()> recorder(const char* name, const std::function<void()>* then = nullptr)
    {
        return [this, name, then] {
            log.append(QLatin1String(name));
            if (then && *then)
                (*then)();
        };
    }
};

// The core's logic over fakes, in a fresh application folder, started as the program starts.
struct CoreRig : LogicRig {
    RecordingShell shell;
    ConnectionHistory history { folder.file(QStringLiteral("historique.csv")) };
    Ticker ticker { state, settings, fakes.clock, fakes.line, monitor, accounting, history,
        { shell.recorder("lineUp"), shell.recorder("lineDown", &shell.onLineDown),
            shell.recorder("connectedTick", &shell.onThroughput), shell.recorder("startMailCheck") } };
    Application application { state, settings, fakes.clock, fakes.messages, windows, accounting, ticker,
        { shell.recorder("loadAccounts"), shell.recorder("closeMailSockets"),
            shell.recorder("loadForfaitPage"), shell.recorder("removeTrayIcon", &shell.onRemoveTrayIcon) } };

    ConnectionActions actions { state, windows, fakes.sound, fakes.processes, accounting,
        shell.recorder("connectionMailCheck") };

    CoreRig() { application.initApplication(folder.path()); }

    QString path(const char* name) const { return folder.file(QLatin1String(name)); }
    // A key's value as config.ini holds it.
    QString key(const char* name) { return file.readKey(QLatin1String(name)); }
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
