#pragma once

#include "config_dialog/config_page.h"

class QLabel;
class QListWidget;

namespace chronolien {

struct ConfigDialogContext;

// "Ligne": the line the program counts, dials and hangs up: the dial-up line (pppd) or one of
// NetworkManager's connections, stored under "ligne" by its "Valider" and followed from the next
// tick on.
class LinePage : public ConfigPage {
    Q_OBJECT
public:
    LinePage(ConfigDialogContext& context, QWidget* parent = nullptr);
    // Lists the lines anew (asking NetworkManager, which may take up to a second and a half) and
    // selects the stored one.
    void load(int) override;
    void store() override;

private:
    ConfigDialogContext& m_context;
    QListWidget* m_lines;
    QLabel* m_absent;
};

} // namespace chronolien
