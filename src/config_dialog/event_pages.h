#pragma once

#include "config_dialog/config_page.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace chronolien {

struct ConfigDialogContext;

// fl17 "Connecté" (list 1, even1.ini) and fl18 "Déconnecté" (list 2, even2.ini): a working copy of
// the programs started at connection or disconnection, committed by "Valider".
class CommandListPage : public ConfigPage {
    Q_OBJECT
public:
    CommandListPage(ConfigDialogContext& context, int list, QWidget* parent = nullptr);
    void load();
    // The detail label takes the text of the list's selected line; empty when none is selected.
    void showSelectedLine();
    QStringList lines() const;
    int list() const { return m_list; }
    QListWidget* lst_even;
    QPushButton* bt_ajouter;
    QPushButton* bt_supr;
    QLabel* txt_even;
    QPushButton* bt_ok;

private:
    void add();
    void removeSelected();
    void store();
    ConfigDialogContext& m_context;
    int m_list;
};

// fl19 "Connexion permanente": dial again whenever the line is down, connect_auto.
class PermanentConnectionPage : public ConfigPage {
    Q_OBJECT
public:
    PermanentConnectionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    QCheckBox* vf_auto;
    QPushButton* bt19_ok;

private:
    void store();
    ConfigDialogContext& m_context;
};

} // namespace chronolien
