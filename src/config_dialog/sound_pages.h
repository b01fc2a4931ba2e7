#pragma once

#include "config_dialog/config_page.h"
#include "settings/sound_settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace chronolien {

struct ConfigDialogContext;

// fl10 "SONS": the section switch "Pas de son", ticked when no sound is played at all.
class SoundsSectionPage : public ConfigPage {
    Q_OBJECT
public:
    SoundsSectionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    QCheckBox* vf_sons;

Q_SIGNALS:
    void sectionChanged(const QString& key);

private:
    void onSwitchClicked();
    ConfigDialogContext& m_context;
};

// fl11, fl12, fl13: the sound of one event (connection, disconnection, mail), or none.
class SoundEventPage : public ConfigPage {
    Q_OBJECT
public:
    SoundEventPage(ConfigDialogContext& context, SoundEvent event, QWidget* parent = nullptr);
    void load();
    SoundEvent event() const { return m_event; }
    QLineEdit* chem_sons;
    QPushButton* bt_parc;
    QPushButton* bt_jouer;
    QCheckBox* vf_chsons;
    QPushButton* bt11_ok;

private:
    void showNoSound(bool noSound);
    void onNoSoundClicked();
    void browse();
    void play();
    void store();
    ConfigDialogContext& m_context;
    SoundEvent m_event;
};

} // namespace chronolien
