#pragma once

#include <functional>

namespace chronolien {

class AboutBoxOpener;
class AccountPage;
class FileChooser;
class MessageBox;
class ProcessStarter;
class SettingsStore;
class SoundPlayer;
class TimeAccounting;
class ProgramView;
struct AppState;

// What the configuration dialog and its pages work on, all owned by the program.
struct ConfigDialogContext {
    AppState& state;
    SettingsStore& settings;
    MessageBox& messages;
    SoundPlayer& sound;
    ProcessStarter& processes;
    TimeAccounting& accounting;
    ProgramView& windows;
    FileChooser& chooser;
    AboutBoxOpener& about;
    // A new skin was chosen: the floating, counter and mail windows load their pictures again from
    // it, whether they are shown or not.
    std::function<void()> reloadSkins;
};

} // namespace chronolien
