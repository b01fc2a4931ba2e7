#pragma once

#include "config_dialog/config_page.h"
#include "settings/settings.h"

namespace chronolien {

// One of the three section switches, labelled as a negation: ticked means the section is off.
struct SectionSwitch {
    const char16_t* about; // what the section holds
    const char16_t* hint; // what ticking the box does
    const char16_t* boxName;
    const char16_t* boxCaption;
    bool Settings::*field;
    // What else changes once the section was switched on or off; none when null.
    void (*switched)(ConfigDialogContext& context, bool on);
};

// "FORFAIT": plan counting; switching it takes the plan alert back.
extern const SectionSwitch kPlanSwitch;
// "SONS": every sound at once; the events' own sounds keep their settings.
extern const SectionSwitch kSoundSwitch;
// "COURRIER": mail checking; switched off, it closes the mail window.
extern const SectionSwitch kMailSwitch;

// fl0 "FORFAIT", fl10 "SONS" and fl14 "COURRIER": the section's switch, which stores itself at each
// click of the user. Filling the box from memory stores nothing.
class SectionSwitchPage : public ConfigPage {
    Q_OBJECT
public:
    SectionSwitchPage(ConfigDialogContext& context, const SectionSwitch* section, QWidget* parent = nullptr);
    void load(int) override;

private:
    void onClicked();

    ConfigDialogContext& m_context;
    const SectionSwitch& m_section;
    QCheckBox* m_box;
};

} // namespace chronolien
