#include "accounting/time_accounting.h"

#include "accounting/counter_texts.h"
#include "accounting/gauge.h"
#include "accounting/plan_calendar.h"
#include "connection/connection_monitor.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "state/app_state.h"
#include "state/program_view.h"

namespace chronolien {

TimeAccounting::TimeAccounting(AppState& state, SettingsStore& settings, Clock& clock, MessageBox& messages,
    ProgramView& windows, ConnectionMonitor& monitor)
    : m_state(state)
    , m_settings(settings)
    , m_clock(clock)
    , m_messages(messages)
    , m_windows(windows)
    , m_monitor(monitor)
{
}

void TimeAccounting::checkMonthlyReset()
{
    Settings& s = m_state.settings;
    const QDate today = m_clock.today();
    const ResetInputs inputs { today, s.date_raz, s.j_raz };
    if (inputs == m_resetChecked)
        return;
    m_resetChecked = inputs;
    if (!monthlyResetDue(s.date_raz, today, s.j_raz))
        return;
    // The month in progress began the day after the reset day just passed; starting it from there
    // keeps the resets monthly when the reset day is a month's last day (the day after it lies in
    // the next month).
    resetTo(lastResetDayBefore(today, s.j_raz));
}

void TimeAccounting::resetMonth()
{
    resetTo(resetDayOfMonth(m_clock.today(), m_state.settings.j_raz));
}

void TimeAccounting::resetTo(const QDate& date_raz)
{
    Settings& s = m_state.settings;
    s.cpt_mois = 0;
    s.date_raz = date_raz;
    updateCounterDisplay();
    m_settings.store(&Settings::cpt_mois);
    m_settings.store(&Settings::date_raz);
    clearPlanAlert();
}

bool TimeAccounting::overAllowance() const
{
    const Settings& s = m_state.settings;
    return s.forfait && s.cpt_mois > s.cpt_limite;
}

bool TimeAccounting::autoDialBlocked() const
{
    return m_state.settings.alerte2 && overAllowance();
}

void TimeAccounting::planExceeded()
{
    Settings& s = m_state.settings;
    if (s.alerte1) {
        m_windows.setMonthAlertLook(true);
        if (!s.affiche_cpt) {
            s.affiche_cpt = true;
            m_windows.applyCounterWindow();
        }
    }
    if (s.autoOpen(4) && !s.affiche_actu)
        m_windows.showFloatingWindow();
    if (s.alerte2) {
        m_monitor.hangUp();
        m_messages.show(QStringLiteral("Votre connection a été interrompu car votre forfait a expiré."),
            StyleInformation);
    }
}

void TimeAccounting::clearPlanAlert()
{
    const Settings& s = m_state.settings;
    // The window the plan alert opened (flag 4) is closed, unless a flag that still holds keeps it
    // open: always (1), as last time (5), while connected (2).
    if (s.affiche_actu && !s.autoOpen(5) && !s.autoOpen(1) && !s.autoOpen(2) && s.autoOpen(4))
        m_windows.hideFloatingWindow();
    m_windows.setMonthAlertLook(false);
}

void TimeAccounting::updateCounterDisplay()
{
    const Settings& s = m_state.settings;
    m_windows.setCounterTexts(timeText(m_state.sessionSeconds),
        monthCounterText(s.cpt_mois, s.cpt_limite, s.affiche_rebours && s.forfait));
}

void TimeAccounting::updateGauge()
{
    const Settings& s = m_state.settings;
    const bool shown = s.forfait && s.affiche_cpt;
    const QDate today = shown ? m_clock.today() : QDate();
    const GaugeInputs inputs { shown, today, s.date_raz, s.cpt_mois, s.cpt_limite };
    if (inputs == m_gaugeShown)
        return;
    m_gaugeShown = inputs;
    if (!shown) {
        m_windows.setGauge(GaugeView {});
        return;
    }
    m_windows.setGauge(
        computeGauge(daysSinceReset(s.date_raz, today), periodDays(s.date_raz), s.cpt_mois, s.cpt_limite));
}

} // namespace chronolien
