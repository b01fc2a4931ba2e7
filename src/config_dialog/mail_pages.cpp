#include "config_dialog/mail_pages.h"

#include "config_dialog/config_dialog_context.h"
#include "core/app_state.h"
#include "core/windows.h"
#include "settings/settings_file.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace chronolien {

MailSectionPage::MailSectionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(14, parent)
    , m_context(context)
{
    addText(QStringLiteral("Chronolien peut se connecter à votre messagerie pour déterminer si vous avez des "
                           "messages. Vous pouvez utiliser cinq adresses sous réserve de préciser l'adresse du "
                           "serveur POP, votre nom de connexion et votre mot de passe."));
    addText(QStringLiteral("Cochez cette case si vous ne voulez pas être informé de l'arrivée de votre courrier."));
    vf_courrier = new QCheckBox(QStringLiteral("Ne pas verifier mon courrier"), this);
    vf_courrier->setObjectName(QStringLiteral("vf_courrier"));
    pageLayout()->addWidget(vf_courrier);
    connect(vf_courrier, &QCheckBox::clicked, this, &MailSectionPage::onSwitchClicked);
}

void MailSectionPage::load()
{
    vf_courrier->setChecked(!m_context.state.settings.courrier);
    setVisible(true);
}

void MailSectionPage::onSwitchClicked()
{
    AppState& state = m_context.state;
    if (!vf_courrier->isChecked()) {
        state.settings.courrier = true;
        Q_EMIT switchedOn();
        load();
    } else {
        state.settings.courrier = false;
        if (state.mailWindowShown) {
            state.mailWindowShown = false;
            m_context.windows.ApplyMailWindow();
        }
    }
    Q_EMIT sectionChanged(QStringLiteral("courrier"));
    m_context.file.WriteKey(QStringLiteral("courrier"), state.settings.courrier);
}

} // namespace chronolien
