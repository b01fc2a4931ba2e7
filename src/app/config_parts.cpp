#include "app/config_parts.h"

#include "ui/program_windows.h"

namespace chronolien {

ConfigParts::ConfigParts(AppState& state, SettingsFile& file, MessageBox& messages, SoundPlayer& sound,
    ProcessStarter& processes, TimeAccounting& accounting, ProgramWindows& windows)
    : m_windows(windows)
    , m_about(processes)
    , m_launcher(ConfigDialogContext {
          state, file, messages, sound, processes, accounting, windows, *this, m_chooser, m_about })
{
}

void ConfigParts::ReloadSkins()
{
    m_windows.ReloadSkins();
}

} // namespace chronolien
