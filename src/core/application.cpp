#include "core/application.h"

#include "accounting/time_accounting.h"
#include "core/hook.h"
#include "core/ticker.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "settings/command_list.h"
#include "settings/settings.h"
#include "state/app_state.h"
#include "state/program_view.h"

#include <QFileInfo>

namespace chronolien {

namespace {

// Positions of affiche_auto read at start.
constexpr int AutoOpenAlways = 1;
constexpr int AutoOpenAsLastTime = 5;

} // namespace

QString Application::quitQuestion()
{
    const QChar cr(13);
    return QStringLiteral("Vous êtes sur le point de quitter Chronolien.") + cr
        + QStringLiteral("Ne voulez vous pas plutôt masquer la fenêtre ?") + cr + cr
        + QStringLiteral("Cliquez sur oui pour masquer et non pour quitter.");
}

Application::Application(AppState& state, SettingsStore& settings, Clock& clock, MessageBox& messages,
    ProgramView& windows, TimeAccounting& accounting, Ticker& ticker, Hooks hooks)
    : m_state(state)
    , m_settings(settings)
    , m_clock(clock)
    , m_messages(messages)
    , m_windows(windows)
    , m_accounting(accounting)
    , m_ticker(ticker)
    , m_hooks(std::move(hooks))
{
}

void Application::initApplication(const QString& appFolder)
{
    m_state.appFolder = appFolder;
    Settings& settings = m_state.settings;
    m_settings.load(appFolder, m_clock.today());
    loadCommandList(m_state.commandLists[0], commandListPath(appFolder, 1));
    loadCommandList(m_state.commandLists[1], commandListPath(appFolder, 2));
    if (settings.courrier)
        runHook(m_hooks.loadAccounts);
    m_accounting.updateCounterDisplay();
    m_ticker.start();
    runHook(m_hooks.loadForfaitPage);

    if (settings.autoOpen(AutoOpenAsLastTime)) {
        if (settings.affiche_actu)
            m_windows.showFloatingWindow();
    } else {
        settings.affiche_actu = false;
    }
    if (settings.autoOpen(AutoOpenAlways))
        m_windows.showFloatingWindow();

    m_state.debugSwitch = QFileInfo(m_state.dataPath(QStringLiteral("debug"))).isFile();
}

bool Application::quitApplication()
{
    // The question offers to hide the floating window instead; without a tray there is no hiding it.
    if (m_state.settings.affiche_actu && m_windows.floatingWindowCanHide()) {
        switch (m_messages.show(quitQuestion(), StyleYesNoCancel)) {
        case MessageAnswer::Yes:
            m_windows.hideFloatingWindow();
            return false;
        case MessageAnswer::No:
            break;
        default:
            return false;
        }
    }
    runHook(m_hooks.closeMailSockets);
    m_ticker.saveState();
    runHook(m_hooks.removeTrayIcon);
    m_windows.closeAllWindows();
    return true;
}

} // namespace chronolien
