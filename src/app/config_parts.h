#pragma once

#include "config_dialog/about_box.h"
#include "config_dialog/config_dialog_launcher.h"
#include "config_dialog/config_window_actions.h"
#include "config_dialog/dialog_file_chooser.h"
#include "core/configuration_pages.h"

namespace chronolien {

class ProgramWindows;

// The configuration dialog and the about box as the menus open them.
class ConfigParts final : public ConfigurationPages, private ConfigWindowActions {
public:
    ConfigParts(AppState& state, SettingsFile& file, MessageBox& messages, SoundPlayer& sound,
        ProcessStarter& processes, TimeAccounting& accounting, ProgramWindows& windows);

    void OpenConfiguration() { m_launcher.OpenConfiguration(); }
    void ShowAboutBox() { m_about.ShowAboutBox(); }
    void LoadForfaitPage() override { m_launcher.LoadForfaitPage(); }

private:
    void ReloadSkins() override;

    ProgramWindows& m_windows;
    DialogFileChooser m_chooser;
    AboutBoxOpener m_about;
    ConfigDialogLauncher m_launcher;
};

} // namespace chronolien
