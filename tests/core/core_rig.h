#pragma once

#include "core/application.h"
#include "core/connection_actions.h"
#include "core/ticker.h"
#include "history/connection_history.h"
#include "support/logic_rig.h"

#include <QHash>
#include <functional>

namespace chronolien::test {

// The core's logic over fakes, in a fresh application folder, started as the program starts. The
// hooks beyond the windows write their names in one log, then run what the test put under that name
// in `then` (what the disconnection does to the state, time spent in the tick, a look at the state).
struct CoreRig : LogicRig {
    QStringList log;
    QHash<QString, std::function<void()>> then;
    std::function<void()> recorder(const char* name)
    {
        return [this, name] {
            log.append(QLatin1String(name));
            if (const auto hook = then.value(QLatin1String(name)))
                hook();
        };
    }

    ConnectionHistory history { folder.file(QStringLiteral("historique.csv")) };
    std::optional<Line::Traffic> tickReading; // what the last connected tick passed on
    Ticker ticker { state, settings, fakes.clock, line(), monitor, accounting, history,
        { recorder("lineUp"), recorder("lineDown"),
            [this, connected = recorder("connectedTick")](std::optional<Line::Traffic> reading) {
                tickReading = reading;
                connected();
            },
            recorder("startMailCheck") } };
    Application application { state, settings, fakes.clock, fakes.messages, windows, accounting, ticker,
        { recorder("loadAccounts"), recorder("closeMailSockets"), recorder("loadForfaitPage"),
            recorder("removeTrayIcon") } };
    ConnectionActions actions { state, windows, fakes.sound, fakes.processes, accounting,
        recorder("connectionMailCheck") };

    explicit CoreRig(const LineMaker& makeLine = {})
        : LogicRig(makeLine)
    {
        application.initApplication(folder.path());
    }

    QString path(const char* name) const { return folder.file(QLatin1String(name)); }
    // A key's value as config.ini holds it.
    QString key(const char* name) { return file.readKey(QLatin1String(name)); }
    // A line that was already up at the last tick, with the last-tick time taken now.
    void connected()
    {
        fakes.line.setUp(true);
        state.connectedFlag = true;
        ticker.startTiming();
        log.clear();
    }
    void tickAfter(float seconds)
    {
        fakes.clock.advance(seconds);
        ticker.mainTick();
    }
};

} // namespace chronolien::test
