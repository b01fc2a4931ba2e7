#pragma once

#include "config_dialog/config_page.h"

class QListWidget;

namespace chronolien {

// fl17 "Connecté" (list 1, even1.ini) and fl18 "Déconnecté" (list 2, even2.ini): a working copy of
// the programs started at connection or disconnection, committed by "Valider".
class CommandListPage : public ConfigPage {
    Q_OBJECT
public:
    CommandListPage(ConfigDialogContext& context, int list, QWidget* parent = nullptr);
    // Fills the list; no line is selected, so the detail label is empty.
    void load(int) override;
    void store() override;

private:
    // The detail label takes the text of the list's selected line; empty when none is selected.
    void showSelectedLine();
    void add();
    void removeSelected();

    ConfigDialogContext& m_context;
    int m_list;
    QListWidget* m_lines;
    QLabel* m_detail;
};

// fl19 "Connexion permanente": dial again whenever the line is down, connect_auto.
class PermanentConnectionPage : public ConfigPage {
    Q_OBJECT
public:
    PermanentConnectionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    ConfigDialogContext& m_context;
    QCheckBox* m_permanent;
};

} // namespace chronolien
