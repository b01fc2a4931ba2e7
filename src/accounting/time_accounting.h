#pragma once

#include <QDate>
#include <QtGlobal>
#include <optional>

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

    // What the monthly reset and the gauge are computed from. The tick asks for both every second
    // while they change at most once a day, when the month time counts, or when the plan changes:
    // the same inputs give the same answer, already acted on.
    struct ResetInputs {
        QDate today;
        QDate date_raz;
        int j_raz = 0;
        bool operator==(const ResetInputs&) const = default;
    };
    struct GaugeInputs {
        bool shown = false;
        QDate today;
        QDate date_raz;
        qint32 month = 0;
        qint32 allowance = 0;
        bool operator==(const GaugeInputs&) const = default;
    };

    AppState& m_state;
    SettingsStore& m_settings;
    Clock& m_clock;
    MessageBox& m_messages;
    ProgramView& m_windows;
    ConnectionMonitor& m_monitor;
    std::optional<ResetInputs> m_resetChecked;
    std::optional<GaugeInputs> m_gaugeShown;
};

} // namespace chronolien
