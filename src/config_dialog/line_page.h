#pragma once

#include "config_dialog/config_page.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace chronolien {

struct ConfigDialogContext;

// fl20 "Ligne": the line the program counts, dials and hangs up: the dial-up line (pppd) or one of
// NetworkManager's connections, stored under "ligne" by its "Valider" and followed from the next
// tick on.
class LinePage : public ConfigPage {
    Q_OBJECT
public:
    static constexpr int Frame = 20;

    LinePage(ConfigDialogContext& context, QWidget* parent = nullptr);
    // Lists the lines anew (asking NetworkManager, which may take up to a second and a half) and
    // selects the stored one.
    void load();

private:
    void store();

    ConfigDialogContext& m_context;
    QListWidget* m_lines;
    QLabel* m_absent;
    QPushButton* m_validate;
};

} // namespace chronolien
