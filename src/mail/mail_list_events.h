#pragma once

namespace chronolien {

// What the mail checker tells the mail list's window logic after it changed the list.
class MailListEvents {
public:
    virtual ~MailListEvents() = default;
    // Opens or closes the mail window and plays the mail sound after entries came or went.
    virtual void refreshMailState() = 0;
    // Rewrites the visible lines of the mail window.
    virtual void fillMailList() = 0;
};

} // namespace chronolien
