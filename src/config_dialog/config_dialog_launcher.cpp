#include "config_dialog/config_dialog_launcher.h"

#include "config_dialog/config_dialog.h"

namespace chronolien {

ConfigDialogLauncher::ConfigDialogLauncher(ConfigDialogContext context)
    : m_context(context)
{
}

ConfigDialogLauncher::~ConfigDialogLauncher()
{
    delete m_dialog;
}

ConfigDialog& ConfigDialogLauncher::ensureDialog()
{
    if (!m_dialog) {
        m_dialog = new ConfigDialog(m_context);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_dialog;
}

void ConfigDialogLauncher::openConfiguration()
{
    ConfigDialog& dialog = ensureDialog();
    dialog.showSection(QStringLiteral("forfait"));
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void ConfigDialogLauncher::loadForfaitPage()
{
    // A dialog not built yet fills its pages from memory when it opens; building it here, at
    // start-up, would only cost time and memory.
    if (m_dialog)
        m_dialog->showEntry(QStringLiteral("forfait"));
}

} // namespace chronolien
