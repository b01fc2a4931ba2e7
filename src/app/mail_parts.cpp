#include "app/mail_parts.h"

#include "core/app_state.h"
#include "mail/accounts_file.h"
#include "ui/program_windows.h"

namespace chronolien {

MailParts::MailParts(AppState& state, ProgramWindows& windows, SoundPlayer& sound, MessageBox& messages)
    : m_state(state)
    , m_display(windows.fl_mail())
    , m_logic(state, windows, sound, m_display, m_deleter)
    , m_checker(state, sound, messages, m_logic)
    , m_deleter(state, m_checker)
{
    m_display.connectTo(m_logic);
    windows.setMailListFill([this] { m_logic.FillMailList(); });
}

void MailParts::StartMailCheck()
{
    m_checker.StartMailCheck();
}

void MailParts::LoadAccounts()
{
    chronolien::LoadAccounts(m_state.mailboxAccounts, m_state.dataPath(QStringLiteral("courrier.ini")));
}

void MailParts::CloseMailSockets()
{
    m_checker.CloseAll();
}

} // namespace chronolien
