#include "config_dialog/section_switch_page.h"

#include "accounting/time_accounting.h"
#include "config_dialog/config_dialog_context.h"
#include "mail/account_page.h"
#include "state/app_state.h"
#include "state/program_view.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace chronolien {

namespace {

void planSwitched(ConfigDialogContext& context, bool)
{
    context.accounting.clearPlanAlert();
}

void mailSwitched(ConfigDialogContext& context, bool on)
{
    AppState& state = context.state;
    if (on) {
        // Accounts not read at start-up are read now, so that validating one address does not
        // write empty ones over the others.
        AccountPage(state.mailboxAccounts, state.dataPath(QStringLiteral("courrier.ini")), context.messages)
            .mailCheckingSwitchedOn();
    } else if (state.mailWindowShown) {
        state.mailWindowShown = false;
        context.windows.applyMailWindow();
    }
}

} // namespace

const SectionSwitch kPlanSwitch {
    u"Vous pouvez ici gérer votre forfait : temps actuel, durée du forfait, que faire en cas de "
    u"dépassement, déterminer le jour de remise à zéro...",
    u"Cochez cette case si vous n'avez pas de forfait. Certaines options seront alors désactivées.",
    u"vf_forfait",
    u"Je ne suis pas limité",
    &Settings::forfait,
    planSwitched,
};

const SectionSwitch kSoundSwitch {
    u"Un certain nombre de sons peuvent être joués pour des événements comme la connexion, la "
    u"déconnexion, l'arrivée de courriers, ...",
    u"Cochez cette case si vous ne voulez pas du tout de sons dans Chronolien.",
    u"vf_sons",
    u"Pas de son",
    &Settings::sons,
    nullptr,
};

const SectionSwitch kMailSwitch {
    u"Chronolien peut se connecter à votre messagerie pour déterminer si vous avez des messages. Vous "
    u"pouvez utiliser cinq adresses sous réserve de préciser l'adresse du serveur POP, votre nom de "
    u"connexion et votre mot de passe.",
    u"Cochez cette case si vous ne voulez pas être informé de l'arrivée de votre courrier.",
    u"vf_courrier",
    u"Ne pas verifier mon courrier",
    &Settings::courrier,
    mailSwitched,
};

SectionSwitchPage::SectionSwitchPage(
    ConfigDialogContext& context, const SectionSwitch* section, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
    , m_section(*section)
    , m_box(new QCheckBox(QString::fromUtf16(section->boxCaption), this))
{
    addText(QString::fromUtf16(section->about));
    addText(QString::fromUtf16(section->hint));
    m_box->setObjectName(QString::fromUtf16(section->boxName));
    pageLayout()->addWidget(m_box);
    connect(m_box, &QCheckBox::clicked, this, &SectionSwitchPage::onClicked);
}

void SectionSwitchPage::load(int)
{
    m_box->setChecked(!(m_context.state.settings.*m_section.field));
    setVisible(true);
}

void SectionSwitchPage::onClicked()
{
    const bool on = !m_box->isChecked();
    m_context.state.settings.*m_section.field = on;
    Q_EMIT sectionSwitched();
    m_context.settings.store(m_section.field);
    if (m_section.switched)
        m_section.switched(m_context, on);
}

} // namespace chronolien
