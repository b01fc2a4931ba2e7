#pragma once

#include "mail/mail_list_events.h"
#include "state/app_state.h"

#include <QList>

namespace chronolien::test {

// Stands in for the mail list's window logic: records each refresh with the list's count then.
class RecordingMailListEvents final : public MailListEvents {
public:
    explicit RecordingMailListEvents(const AppState& state)
        : m_state(state)
    {
    }
    void refreshMailState() override { refreshCounts.append(m_state.mailList.count); }
    void fillMailList() override { ++fills; }

    QList<int> refreshCounts;
    int fills = 0;

private:
    const AppState& m_state;
};

} // namespace chronolien::test
