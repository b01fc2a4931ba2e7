#include "core/ticker.h"

#include "accounting/time_accounting.h"
#include "connection/connection_monitor.h"
#include "core/hook.h"
#include "history/connection_history.h"
#include "platform/clock.h"
#include "settings/settings.h"
#include "settings/text_forms.h"
#include "state/app_state.h"

#include <QDateTime>
#include <algorithm>
#include <limits>

namespace chronolien {

namespace {

// A counter plus the elapsed seconds, rounded halves to even. A month counter at its 32-bit
// ceiling stays there instead of overflowing.
qint32 addSeconds(qint32 counter, float elapsed)
{
    const qint64 sum = roundHalfEven(double(counter) + double(elapsed));
    return sum > std::numeric_limits<qint32>::max() ? std::numeric_limits<qint32>::max() : qint32(sum);
}

} // namespace

Ticker::Ticker(AppState& state, SettingsStore& settings, Clock& clock, Line& line, ConnectionMonitor& monitor,
    TimeAccounting& accounting, ConnectionHistory& history, Hooks hooks)
    : m_state(state)
    , m_settings(settings)
    , m_clock(clock)
    , m_line(line)
    , m_monitor(monitor)
    , m_accounting(accounting)
    , m_history(history)
    , m_hooks(std::move(hooks))
{
}

void Ticker::start()
{
    m_history.tidy(now());
    startTiming();
}

void Ticker::startTiming()
{
    m_lastTickTime = m_clock.secondsSinceMidnight();
}

void Ticker::mainTick()
{
    if (m_monitor.isConnected()) {
        if (!m_state.connectedFlag) {
            m_state.connectedFlag = true;
            m_lastTraffic.reset();
            readTraffic();
            m_history.begin(now(), m_lastTraffic);
            runHook(m_hooks.lineUp);
        }
    } else {
        // A month over an allowance that hangs up would be dialled, hung up and dialled again.
        // Dialling returns at once and the line reads down while it is being set up: dialling
        // again then would start one more dialler every second.
        if (m_state.settings.connect_auto && !m_accounting.autoDialBlocked() && !m_monitor.lineBeingSetUp())
            m_monitor.dial();
        if (m_state.connectedFlag) {
            m_state.connectedFlag = false;
            // Before the disconnection actions set the session seconds to zero.
            readTraffic();
            m_history.end(now(), m_state.sessionSeconds, m_lastTraffic);
            runHook(m_hooks.lineDown);
            // The seconds counted since the last ten-second save are stored now: with the line down
            // no save writes the month time, and quitting before the next connection would lose them.
            m_settings.store(&Settings::cpt_mois);
        }
    }

    m_accounting.checkMonthlyReset();

    if (m_state.connectedFlag) {
        countElapsedTime();
        runHook(m_hooks.connectedTick, readTraffic());
    }

    // Read again: the time the actions above took belongs to the next tick.
    m_lastTickTime = m_clock.secondsSinceMidnight();
    m_accounting.updateGauge();
}

void Ticker::countElapsedTime()
{
    const float elapsed = m_clock.secondsSinceMidnight() - m_lastTickTime;
    // Midnight makes elapsed negative, a sleep or a clock put forward makes it large: such a tick
    // counts nothing.
    if (!(elapsed > 0.0f && elapsed < 100.0f))
        return;
    Settings& settings = m_state.settings;
    settings.cpt_mois = addSeconds(settings.cpt_mois, elapsed);
    m_state.sessionSeconds = addSeconds(m_state.sessionSeconds, elapsed);
    m_accounting.updateCounterDisplay();
    if (m_accounting.overAllowance()) {
        // The alert may wait on a message box while later ticks run: they count from here.
        m_lastTickTime = m_clock.secondsSinceMidnight();
        m_accounting.planExceeded();
    }
}

void Ticker::saveState()
{
    const Settings& settings = m_state.settings;
    // The month time changes only by counting while the line is up; the plan page and the monthly
    // reset store it themselves.
    if (m_state.connectedFlag) {
        m_settings.store(&Settings::cpt_mois);
        // The bytes of the second's tick: the counters are not read again for the save.
        m_history.update(now(), m_state.sessionSeconds, m_lastTraffic);
    }
    m_settings.store(&Settings::affiche_actu);
    if (settings.pos_mem) {
        m_settings.store(&Settings::pos_x);
        m_settings.store(&Settings::pos_y);
    }
}

QDateTime Ticker::now() const
{
    // The date is read on both sides of the seconds: a midnight between the two readings would
    // pair one day's date with the next day's seconds.
    QDate day;
    float seconds = 0;
    do {
        day = m_clock.today();
        seconds = m_clock.secondsSinceMidnight();
    } while (m_clock.today() != day);
    const int msecs = std::clamp(int(seconds * 1000.0f), 0, 86400 * 1000 - 1);
    // Wall-clock readings without a zone: a summer-time change neither shifts nor refuses them.
    return QDateTime(day, QTime::fromMSecsSinceStartOfDay(msecs), Qt::UTC);
}

std::optional<Line::Traffic> Ticker::readTraffic()
{
    const std::optional<Line::Traffic> reading = m_line.traffic();
    if (reading)
        m_lastTraffic = reading;
    return reading;
}

void Ticker::mailTimerFired()
{
    // Not reset at connection: the connection starts a check of its own.
    ++m_mailMinutes;
    if (m_mailMinutes >= 3) {
        runHook(m_hooks.startMailCheck);
        m_mailMinutes = 0;
    }
}

} // namespace chronolien
