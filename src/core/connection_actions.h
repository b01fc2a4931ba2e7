#pragma once

#include <functional>

namespace chronolien {

class ProcessStarter;
class SoundPlayer;
class TimeAccounting;
class ProgramView;
struct AppState;

// What happens once when the line comes up and once when it goes down: the floating window's
// picture, captions and opening by the automatic-opening flags, the sound, the user's programs
// and, at connection, a mail check.
class ConnectionActions {
public:
    ConnectionActions(AppState& state, ProgramView& windows, SoundPlayer& sound, ProcessStarter& processes,
        TimeAccounting& accounting, std::function<void()> startMailCheck);

    void onConnect();
    void onDisconnect();

private:
    AppState& m_state;
    ProgramView& m_windows;
    SoundPlayer& m_sound;
    ProcessStarter& m_processes;
    TimeAccounting& m_accounting;
    std::function<void()> m_startMailCheck;
};

} // namespace chronolien
