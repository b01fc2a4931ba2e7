#pragma once

#include "core/mail_check.h"
#include "core/mail_lifecycle.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "mail/mail_list_logic.h"
#include "ui/mail_list_display.h"

namespace chronolien {

class MessageBox;
class ProgramWindows;
class SoundPlayer;
struct AppState;

// The mail checker as the program runs it: the five check sockets, the deletion socket, the mail
// list and its window, joined together.
class MailParts final : public MailCheckStarter, public MailLifecycle {
public:
    MailParts(AppState& state, ProgramWindows& windows, SoundPlayer& sound, MessageBox& messages);

    void StartMailCheck() override;
    void LoadAccounts() override;
    void CloseMailSockets() override;

private:
    AppState& m_state;
    MailListDisplay m_display;
    // The three refer to each other: a check fills the list, the list starts deletions, a
    // deletion ends with a check. None uses another while being built.
    MailListLogic m_logic;
    MailChecker m_checker;
    MailDeleter m_deleter;
};

} // namespace chronolien
