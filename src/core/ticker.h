#pragma once

#include <QtGlobal>

namespace chronolien {

class Clock;
class ConnectionEvents;
class ConnectionMonitor;
class MailCheckStarter;
class SettingsFile;
class TimeAccounting;
struct AppState;

// The handlers of the three timers of fl_init: MainTick every second, SaveState every ten seconds,
// and the mail timer every minute. Nothing else in the program polls.
class Ticker {
public:
    Ticker(AppState& state, SettingsFile& file, Clock& clock, ConnectionMonitor& monitor,
        TimeAccounting& accounting, ConnectionEvents& events, MailCheckStarter& mail);

    // The time the next tick measures from: now. Start-up sets it before the first tick.
    void StartTiming();

    // tps_seconde: samples the line, runs the connection actions on a change, counts the time.
    void MainTick();
    // tps_sauv, and quitting: stores what a restart must find.
    void SaveState();
    // tps_mail: a mail check every third firing.
    void MailTimerFired();

    float lastTickTime() const { return m_lastTickTime; }

private:
    void CountElapsedTime();

    AppState& m_state;
    SettingsFile& m_file;
    Clock& m_clock;
    ConnectionMonitor& m_monitor;
    TimeAccounting& m_accounting;
    ConnectionEvents& m_events;
    MailCheckStarter& m_mail;

    float m_lastTickTime = 0; // seconds since midnight at the end of the last tick
    qint16 m_mailMinutes = 0;
};

} // namespace chronolien
