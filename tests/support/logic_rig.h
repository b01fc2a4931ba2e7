#pragma once

#include "accounting/time_accounting.h"
#include "connection/connection_monitor.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <functional>
#include <memory>

namespace chronolien::test {

// The program's state and time accounting over fake services, with a real config.ini in a fresh
// application folder: the ground the tests of the tick, the connection actions and the pages build on.
// The line is the fake unless the test builds a real one from the state.
struct LogicRig {
    using LineMaker = std::function<std::unique_ptr<Line>(AppState&)>;
    explicit LogicRig(const LineMaker& makeLine = {})
        : realLine(makeLine ? makeLine(state) : nullptr)
    {
    }
    Line& line() { return realLine ? *realLine : fakes.line; }

    TempAppFolder folder;
    AppState state;
    Fakes fakes;
    std::unique_ptr<Line> realLine;
    SettingsFile file { folder.file(QStringLiteral("config.ini")), fakes.messages };
    SettingsStore settings { state.settings, file };
    RecordingWindows windows { state };
    ConnectionMonitor monitor { line() };
    TimeAccounting accounting { state, settings, fakes.clock, fakes.messages, windows, monitor };
};

} // namespace chronolien::test
