#pragma once

#include "mail/mail_list_events.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace chronolien {

class Notifier;
struct AppState;
struct MailEntry;

// Tells the desktop of the messages a check lists that were not announced before: one
// notification per check with their count and the first one's sender and subject, through the
// desktop's notification service or, without one, the tray's balloon. The dialogues of the five
// accounts fill the list one reply at a time, so the check counts as over once the list has not
// changed for a moment. It stands between the check and the mail list's window logic and passes
// every event on.
class NewMailAnnouncer final : public QObject, public MailListEvents {
    Q_OBJECT
public:
    using Balloon = std::function<void(const QString& title, const QString& text)>;
    static constexpr int DefaultQuietMilliseconds = 3000;

    NewMailAnnouncer(const AppState& state, MailListEvents& next, Notifier& notifier, Balloon balloon,
        int quietMilliseconds = DefaultQuietMilliseconds, QObject* parent = nullptr);

    void refreshMailState() override;
    void fillMailList() override;

private:
    void announce();

    const AppState& m_state;
    MailListEvents& m_next;
    Notifier& m_notifier;
    Balloon m_balloon;
    QTimer m_quiet;
    // How many messages of each identity were announced: two copies of one message count twice.
    QHash<QString, int> m_announced;
};

} // namespace chronolien
