#include "core/application.h"

#include "accounting/time_accounting.h"
#include "core/app_state.h"
#include "core/configuration_pages.h"
#include "core/mail_lifecycle.h"
#include "core/ticker.h"
#include "core/tray_icon.h"
#include "core/windows.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "settings/command_list.h"
#include "settings/settings.h"

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

Application::Application(AppState& state, SettingsFile& file, Clock& clock, MessageBox& messages,
    Windows& windows, TimeAccounting& accounting, Ticker& ticker, MailLifecycle& mail,
    ConfigurationPages& pages, TrayIcon& tray)
    : m_state(state)
    , m_file(file)
    , m_clock(clock)
    , m_messages(messages)
    , m_windows(windows)
    , m_accounting(accounting)
    , m_ticker(ticker)
    , m_mail(mail)
    , m_pages(pages)
    , m_tray(tray)
{
}

void Application::InitApplication(const QString& appFolder)
{
    m_state.appFolder = appFolder;
    Settings& settings = m_state.settings;
    LoadSettings(settings, m_file, appFolder, m_clock.today());
    LoadCommandList(m_state.commandLists[0], commandListPath(appFolder, 1), m_messages);
    LoadCommandList(m_state.commandLists[1], commandListPath(appFolder, 2), m_messages);
    if (settings.courrier)
        m_mail.LoadAccounts();
    m_accounting.UpdateCounterDisplay();
    m_ticker.StartTiming();
    m_pages.LoadForfaitPage();

    if (settings.autoOpen(AutoOpenAsLastTime)) {
        if (settings.affiche_actu)
            m_windows.ShowFloatingWindow();
    } else {
        settings.affiche_actu = false;
    }
    if (settings.autoOpen(AutoOpenAlways))
        m_windows.ShowFloatingWindow();

    m_state.debugSwitch = QFileInfo(m_state.dataPath(QStringLiteral("debug"))).isFile();
}

bool Application::QuitApplication()
{
    if (m_state.settings.affiche_actu) {
        switch (m_messages.show(quitQuestion(), StyleYesNoCancel)) {
        case MessageAnswer::Yes:
            m_windows.HideFloatingWindow();
            return false;
        case MessageAnswer::No:
            break;
        default:
            return false;
        }
    }
    m_mail.CloseMailSockets();
    m_ticker.SaveState();
    m_tray.RemoveTrayIcon();
    m_windows.CloseAllWindows();
    return true;
}

} // namespace chronolien
