#pragma once

#include <QString>
#include <functional>

namespace chronolien {

class Clock;
class MessageBox;
class SettingsStore;
class Ticker;
class TimeAccounting;
class ProgramView;
struct AppState;

// Start-up and the orderly end of the program.
class Application {
public:
    // What start-up and quitting ask of the parts above the logic; any may be empty.
    struct Hooks {
        std::function<void()> loadAccounts; // reads the five mailbox accounts from courrier.ini
        std::function<void()> closeMailSockets; // ends any mail check under way
        std::function<void()> loadForfaitPage; // brings the plan page of an open dialog in line
        std::function<void()> removeTrayIcon;
    };

    // The question asked before quitting while the floating window is shown.
    static QString quitQuestion();

    Application(AppState& state, SettingsStore& settings, Clock& clock, MessageBox& messages,
        ProgramView& windows, TimeAccounting& accounting, Ticker& ticker, Hooks hooks);

    // Loads every stored setting and list, mends the connection history, and opens the windows the
    // auto-open rules ask for.
    // appFolder is the executable's folder, without a trailing separator.
    void initApplication(const QString& appFolder);

    // Saves, removes the tray icon and closes every window; true when the process is to end. With
    // the floating window shown the user may choose to hide it instead, or to change nothing.
    // The line is never hung up.
    bool quitApplication();

private:
    AppState& m_state;
    SettingsStore& m_settings;
    Clock& m_clock;
    MessageBox& m_messages;
    ProgramView& m_windows;
    TimeAccounting& m_accounting;
    Ticker& m_ticker;
    Hooks m_hooks;
};

} // namespace chronolien
