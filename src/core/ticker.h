#pragma once

#include <QtGlobal>
#include <functional>

namespace chronolien {

class Clock;
class ConnectionMonitor;
class SettingsStore;
class TimeAccounting;
struct AppState;

// The handlers of the program's three timers: mainTick every second, saveState every ten seconds,
// and the mail timer every minute. Nothing else in the program polls.
class Ticker {
public:
    // What the timers run beyond the accounting, set where the program is wired; any may be empty.
    struct Hooks {
        std::function<void()> lineUp; // the tick that first sees the line up, once per connection
        std::function<void()> lineDown; // the tick that first sees it down, once per connection
        std::function<void()> connectedTick; // every tick with the line up, after the time was counted
        std::function<void()> startMailCheck; // every third firing of the mail timer
    };

    Ticker(AppState& state, SettingsStore& settings, Clock& clock, ConnectionMonitor& monitor,
        TimeAccounting& accounting, Hooks hooks);

    // The time the next tick measures from: now. Start-up sets it before the first tick.
    void startTiming();

    // tps_seconde: samples the line, runs the connection actions on a change, counts the time.
    void mainTick();
    // tps_sauv, and quitting: stores what a restart must find.
    void saveState();
    // tps_mail: a mail check every third firing.
    void mailTimerFired();

private:
    void countElapsedTime();

    AppState& m_state;
    SettingsStore& m_settings;
    Clock& m_clock;
    ConnectionMonitor& m_monitor;
    TimeAccounting& m_accounting;
    Hooks m_hooks;

    float m_lastTickTime = 0; // seconds since midnight at the end of the last tick
    qint16 m_mailMinutes = 0;
};

} // namespace chronolien
