#pragma once

namespace chronolien {

class MailCheckStarter;
class ProcessStarter;
class SoundPlayer;
class TimeAccounting;
class Windows;
struct AppState;

// What happens once when the line comes up and once when it goes down: the floating window's
// picture, captions and opening by the automatic-opening flags, the sound, the user's programs
// and, at connection, a mail check.
class ConnectionActions {
public:
    ConnectionActions(AppState& state, Windows& windows, SoundPlayer& sound, ProcessStarter& processes,
        MailCheckStarter& mail, TimeAccounting& accounting);

    void OnConnect();
    void OnDisconnect();

private:
    AppState& m_state;
    Windows& m_windows;
    SoundPlayer& m_sound;
    ProcessStarter& m_processes;
    MailCheckStarter& m_mail;
    TimeAccounting& m_accounting;
};

} // namespace chronolien
