#pragma once

#include <QString>

namespace chronolien {

class Clock;
class ConfigurationPages;
class MailLifecycle;
class MessageBox;
class SettingsFile;
class Ticker;
class TimeAccounting;
class TrayIcon;
class Windows;
struct AppState;

// Start-up and the orderly end of the program.
class Application {
public:
    // The question asked before quitting while the floating window is shown.
    static QString quitQuestion();

    Application(AppState& state, SettingsFile& file, Clock& clock, MessageBox& messages, Windows& windows,
        TimeAccounting& accounting, Ticker& ticker, MailLifecycle& mail, ConfigurationPages& pages,
        TrayIcon& tray);

    // Loads every stored setting and list, and opens the windows the auto-open rules ask for.
    // appFolder is the executable's folder, without a trailing separator.
    void InitApplication(const QString& appFolder);

    // Saves, removes the tray icon and closes every window; true when the process is to end. With
    // the floating window shown the user may choose to hide it instead, or to change nothing.
    // The line is never hung up.
    bool QuitApplication();

private:
    AppState& m_state;
    SettingsFile& m_file;
    Clock& m_clock;
    MessageBox& m_messages;
    Windows& m_windows;
    TimeAccounting& m_accounting;
    Ticker& m_ticker;
    MailLifecycle& m_mail;
    ConfigurationPages& m_pages;
    TrayIcon& m_tray;
};

} // namespace chronolien
