#pragma once

#include "config_dialog/config_dialog.h"
#include "config_dialog/config_dialog_context.h"

#include <QPointer>

namespace chronolien {

// Opens the configuration dialog from the menus. A closed dialog is gone with its unsaved edits;
// the next opening builds a fresh one.
class ConfigDialogLauncher {
public:
    explicit ConfigDialogLauncher(ConfigDialogContext context);
    ~ConfigDialogLauncher();
    ConfigDialogLauncher(const ConfigDialogLauncher&) = delete;
    ConfigDialogLauncher& operator=(const ConfigDialogLauncher&) = delete;

    // Shows the dialog on the "FORFAIT" page, modeless; an open dialog comes back to that page.
    void openConfiguration();
    // Brings an open dialog's "FORFAIT" page, and so its tree, in line with forfait.
    void loadForfaitPage();

    ConfigDialog* dialog() const { return m_dialog; }

private:
    ConfigDialog& ensureDialog();

    ConfigDialogContext m_context;
    QPointer<ConfigDialog> m_dialog;
};

} // namespace chronolien
