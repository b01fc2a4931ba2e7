#pragma once

#include "config_dialog/config_page.h"

class QCheckBox;

namespace chronolien {

struct ConfigDialogContext;

// fl14 "COURRIER": the section switch "Ne pas verifier mon courrier", ticked when mail is not
// checked.
class MailSectionPage : public ConfigPage {
    Q_OBJECT
public:
    MailSectionPage(ConfigDialogContext& context, QWidget* parent = nullptr);
    void load();
    QCheckBox* vf_courrier;

Q_SIGNALS:
    // Mail checking was just switched on (before the tree is rebuilt).
    void switchedOn();
    void sectionChanged(const QString& key);

private:
    void onSwitchClicked();
    ConfigDialogContext& m_context;
};

} // namespace chronolien
