#pragma once

class QDate;

namespace chronolien {

class Clock;
class ConnectionMonitor;
class MessageBox;
class SettingsStore;
class ProgramView;
struct AppState;

// The session and month counters against the plan: the month's return to zero on its day, the
// alerts while the month is over its allowance, and what the counter window shows.
class TimeAccounting {
public:
    TimeAccounting(AppState& state, SettingsStore& settings, Clock& clock, MessageBox& messages,
        ProgramView& windows, ConnectionMonitor& monitor);

    // Resets the month when a new month of the plan has begun since date_raz.
    void checkMonthlyReset();
    // Month time to zero, date_raz to day j_raz of this month; both stored.
    void resetMonth();
    // The alerts of a month over its allowance: red counter, windows, forced hang-up.
    void planExceeded();
    // Back to the counter's usual look, closing the floating window a plan alert opened.
    void clearPlanAlert();

    // The month time is over the allowance of an active plan.
    bool overAllowance() const;
    // The plan forbids dialling by itself: it would only be hung up again at once.
    bool autoDialBlocked() const;

    // Session and month texts of the counter window.
    void updateCounterDisplay();
    // The consumption gauge of the counter window.
    void updateGauge();

private:
    void resetTo(const QDate& date_raz);

    AppState& m_state;
    SettingsStore& m_settings;
    Clock& m_clock;
    MessageBox& m_messages;
    ProgramView& m_windows;
    ConnectionMonitor& m_monitor;
};

} // namespace chronolien
