#pragma once

#include "settings/command_list.h"
#include "settings/settings.h"
#include "state/mail_list.h"
#include "state/mailbox_account.h"

#include <QString>
#include <array>

namespace chronolien {

// The process-wide state of one run. The program holds exactly one; tests build a fresh one each.
struct AppState {
    QString appFolder; // folder of the executable, without a trailing separator
    Settings settings; // every key of config.ini
    qint32 sessionSeconds = 0; // connected time since the last disconnection
    bool connectedFlag = false; // the line was up at the last tick
    std::array<CommandList, 2>
        commandLists; // [0] at connection (even1.ini), [1] at disconnection (even2.ini)
    bool mailWindowShown = false; // the mail window goes with the floating window
    bool debugSwitch = false; // a file named "debug" sits in the application folder
    MailboxAccounts mailboxAccounts; // courrier.ini, read at start when mail checking is on
    MailList mailList; // what the last check found

    QString dataPath(const QString& name) const { return appFolder + u'/' + name; }
};

} // namespace chronolien
