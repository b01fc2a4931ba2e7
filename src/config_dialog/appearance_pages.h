#pragma once

#include "config_dialog/auto_open_choices.h"
#include "config_dialog/config_page.h"

#include <array>

class QListWidget;
class QRadioButton;

namespace chronolien {

// fl6 "Ouverture automatique": when the floating window opens by itself, affiche_auto.
class AutoOpenPage : public ConfigPage {
    Q_OBJECT
public:
    AutoOpenPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    AutoOpenBoxes ticks() const;
    void updateChoices();
    ConfigDialogContext& m_context;
    std::array<QCheckBox*, 5> m_boxes;
};

// fl8 "Habillage": the skins of the skin folder with a preview of the current one, nomskin. The
// preview follows the current entry however it was reached, mouse or keys, so "Valider" stores the
// skin shown.
class SkinPage : public ConfigPage {
    Q_OBJECT
public:
    SkinPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    // Leaves the page hidden when the skin folder cannot be listed.
    void load(int) override;
    void store() override;

private:
    void preview();
    ConfigDialogContext& m_context;
    QListWidget* m_skins;
    QLabel* m_centre; // the floating window
    QLabel* m_counter; // the counter window
};

// fl7 "Position": where the floating window opens, pos_mem, and saving its place now.
class PositionPage : public ConfigPage {
    Q_OBJECT
public:
    PositionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    void savePosition();
    ConfigDialogContext& m_context;
    std::array<QRadioButton*, 2> m_options;
};

// fl9 "Mode du compteur": counting up or down, affiche_rebours.
class CounterModePage : public ConfigPage {
    Q_OBJECT
public:
    CounterModePage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    ConfigDialogContext& m_context;
    std::array<QRadioButton*, 2> m_options;
};

} // namespace chronolien
