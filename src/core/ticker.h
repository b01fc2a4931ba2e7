#pragma once

#include "platform/line.h"

#include <QtGlobal>
#include <functional>
#include <optional>

class QDateTime;

namespace chronolien {

class Clock;
class ConnectionHistory;
class ConnectionMonitor;
class SettingsStore;
class TimeAccounting;
struct AppState;

// The handlers of the program's three timers: mainTick every second, saveState every ten seconds,
// and the mail timer every minute. Nothing else in the program polls. The connection history
// follows the line: a connection's line is written when the tick sees the line come up, kept
// current at each save and closed when the line drops.
class Ticker {
public:
    // What the timers run beyond the accounting, set where the program is wired; any may be empty.
    struct Hooks {
        std::function<void()> lineUp; // the tick that first sees the line up, once per connection
        std::function<void()> lineDown; // the tick that first sees it down, once per connection
        // Every tick with the line up, after the time was counted, with the line's counters as read
        // by that tick (nothing when they could not be read).
        std::function<void(std::optional<Line::Traffic>)> connectedTick;
        std::function<void()> startMailCheck; // every third firing of the mail timer
    };

    Ticker(AppState& state, SettingsStore& settings, Clock& clock, Line& line, ConnectionMonitor& monitor,
        TimeAccounting& accounting, ConnectionHistory& history, Hooks hooks);

    // Once at start, before the first tick: mends the history and starts the timing.
    void start();
    // The time the next tick measures from: now.
    void startTiming();

    // tps_seconde: samples the line, runs the connection actions on a change, counts the time.
    void mainTick();
    // tps_sauv, and quitting: stores what a restart must find.
    void saveState();
    // tps_mail: a mail check every third firing.
    void mailTimerFired();

private:
    void countElapsedTime();
    QDateTime now() const;
    // Reads the line's counters, nothing when they cannot be read, and keeps the last reading in
    // m_lastTraffic: the interface of a line that dropped is gone by the tick that sees it down,
    // and the history closes the connection with the bytes last read.
    std::optional<Line::Traffic> readTraffic();

    AppState& m_state;
    SettingsStore& m_settings;
    Clock& m_clock;
    Line& m_line;
    ConnectionMonitor& m_monitor;
    TimeAccounting& m_accounting;
    ConnectionHistory& m_history;
    Hooks m_hooks;

    float m_lastTickTime = 0; // seconds since midnight at the end of the last tick
    qint16 m_mailMinutes = 0;
    std::optional<Line::Traffic> m_lastTraffic;
};

} // namespace chronolien
