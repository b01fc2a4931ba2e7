#pragma once

namespace chronolien {

// What start-up and quitting ask of the mail checker.
class MailLifecycle {
public:
    virtual ~MailLifecycle() = default;
    // Reads the five mailbox accounts from courrier.ini.
    virtual void LoadAccounts() = 0;
    // Closes the check sockets connect_pop(0) to (4), ending any check under way.
    virtual void CloseMailSockets() = 0;
};

} // namespace chronolien
