#pragma once

#include "config_dialog/config_page.h"

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace chronolien {

struct ConfigDialogContext;

// fl6 "Ouverture automatique": when the floating window opens by itself, affiche_auto.
class AutoOpenPage : public ConfigPage {
    Q_OBJECT
public:
    AutoOpenPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    std::array<QCheckBox*, 5> vf_ouv;
    QPushButton* bt6_ok;

private:
    void updateChoices();
    void store();
    ConfigDialogContext& m_context;
};

// fl8 "Habillage": the skins of the skin folder with a preview, nomskin.
class SkinPage : public ConfigPage {
    Q_OBJECT
public:
    SkinPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    // False, with the page left hidden, when the skin folder cannot be listed.
    bool load();
    QListWidget* lst_skin;
    QLabel* img_skin; // the floating window
    QLabel* img_skin2; // the counter window
    QPushButton* bt8_ok;

private:
    void preview();
    void store();
    ConfigDialogContext& m_context;
};

// fl7 "Position": where the floating window opens, pos_mem, and saving its place now.
class PositionPage : public ConfigPage {
    Q_OBJECT
public:
    PositionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    std::array<QRadioButton*, 2> opt_pos;
    QPushButton* bt_pos;
    QPushButton* bt7_ok;

private:
    void savePosition();
    void store();
    ConfigDialogContext& m_context;
};

// fl9 "Mode du compteur": counting up or down, affiche_rebours.
class CounterModePage : public ConfigPage {
    Q_OBJECT
public:
    CounterModePage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    std::array<QRadioButton*, 2> opt_cpt;
    QPushButton* bt9_ok;

private:
    void store();
    ConfigDialogContext& m_context;
};

} // namespace chronolien
