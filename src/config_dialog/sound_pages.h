#pragma once

#include "config_dialog/config_page.h"
#include "settings/sound_settings.h"

class QLineEdit;

namespace chronolien {

// fl11, fl12, fl13: the sound of one event (connection, disconnection, mail), or none.
class SoundEventPage : public ConfigPage {
    Q_OBJECT
public:
    SoundEventPage(ConfigDialogContext& context, SoundEvent event, QWidget* parent = nullptr);
    void load(int) override;
    void store() override;

private:
    void showNoSound(bool noSound);
    void onNoSoundClicked();
    void browse();
    void play();

    ConfigDialogContext& m_context;
    SoundEvent m_event;
    QLineEdit* m_path;
    QPushButton* m_browse;
    QPushButton* m_play;
    QCheckBox* m_noSound;
};

} // namespace chronolien
