#pragma once

namespace chronolien {

// Starts a check of the mailboxes in use; does nothing unless mail checking is on and the line is up.
class MailCheckStarter {
public:
    virtual ~MailCheckStarter() = default;
    virtual void StartMailCheck() = 0;
};

} // namespace chronolien
