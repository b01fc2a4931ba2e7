#include "core/connection_actions.h"

#include "accounting/time_accounting.h"
#include "core/hook.h"
#include "effects/event_effects.h"
#include "state/app_state.h"
#include "state/program_view.h"

namespace chronolien {

ConnectionActions::ConnectionActions(AppState& state, ProgramView& windows, SoundPlayer& sound,
    ProcessStarter& processes, TimeAccounting& accounting, std::function<void()> startMailCheck)
    : m_state(state)
    , m_windows(windows)
    , m_sound(sound)
    , m_processes(processes)
    , m_accounting(accounting)
    , m_startMailCheck(std::move(startMailCheck))
{
}

void ConnectionActions::onConnect()
{
    const Settings& s = m_state.settings;
    if (s.autoOpen(2) && !s.affiche_actu)
        m_windows.showFloatingWindow();
    m_windows.loadCentreSkin(true);
    m_windows.setConnectCaptions(true);
    playSoundFile(s.sons, m_sound, m_state.appFolder, s.son_connect);
    runCommandList(m_state.commandLists[0], m_processes);
    runHook(m_startMailCheck);
}

void ConnectionActions::onDisconnect()
{
    const Settings& s = m_state.settings;
    m_windows.setDownLight(false);
    m_windows.setUpLight(false);
    m_state.sessionSeconds = 0;
    m_accounting.updateCounterDisplay();
    m_windows.loadCentreSkin(false);
    m_windows.setConnectCaptions(false);
    playSoundFile(s.sons, m_sound, m_state.appFolder, s.son_deconnect);
    // A window that a condition opened closes again, unless it is meant to stay (always, or as
    // last time).
    const bool openedByCondition = s.autoOpen(2) || s.autoOpen(3) || s.autoOpen(4);
    if (s.affiche_actu && !s.autoOpen(1) && !s.autoOpen(5) && openedByCondition)
        m_windows.hideFloatingWindow();
    if (m_state.mailWindowShown) {
        m_state.mailWindowShown = false;
        m_windows.applyMailWindow();
    }
    runCommandList(m_state.commandLists[1], m_processes);
}

} // namespace chronolien
