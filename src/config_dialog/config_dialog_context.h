#pragma once

#include <QStringList>
#include <functional>
#include <optional>

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
    // The names of NetworkManager's connections, for the line page; nothing when NetworkManager does
    // not answer. Left empty, the page offers the dial-up line alone.
    std::function<std::optional<QStringList>()> networkManagerConnections;
};

} // namespace chronolien
