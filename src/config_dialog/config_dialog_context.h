#pragma once

namespace chronolien {

class AboutBoxOpener;
class AccountPage;
class ConfigWindowActions;
class FileChooser;
class MessageBox;
class ProcessStarter;
class SettingsFile;
class SoundPlayer;
class TimeAccounting;
class Windows;
struct AppState;

// What the configuration dialog and its pages work on, all owned by the program.
struct ConfigDialogContext {
    AppState& state;
    SettingsFile& file;
    MessageBox& messages;
    SoundPlayer& sound;
    ProcessStarter& processes;
    TimeAccounting& accounting;
    Windows& windows;
    ConfigWindowActions& windowActions;
    FileChooser& chooser;
    AboutBoxOpener& about;
};

} // namespace chronolien
