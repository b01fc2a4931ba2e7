#include "config_dialog/mail_pages.h"

#include "config_dialog/config_dialog_context.h"
#include "mail/pop3_endpoint.h"
#include "settings/settings.h"
#include "state/app_state.h"
#include "state/program_view.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

MailSectionPage::MailSectionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(14, parent)
    , m_context(context)
{
    addText(
        QStringLiteral("Chronolien peut se connecter à votre messagerie pour déterminer si vous avez des "
                       "messages. Vous pouvez utiliser cinq adresses sous réserve de préciser l'adresse du "
                       "serveur POP, votre nom de connexion et votre mot de passe."));
    addText(QStringLiteral(
        "Cochez cette case si vous ne voulez pas être informé de l'arrivée de votre courrier."));
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
            m_context.windows.applyMailWindow();
        }
    }
    Q_EMIT sectionChanged(QStringLiteral("courrier"));
    m_context.settings.store(&Settings::courrier);
}

MailAddressPage::MailAddressPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(15, parent)
    , m_page(context.state.mailboxAccounts, context.state.dataPath(QStringLiteral("courrier.ini")),
          context.messages)
{
    addText(QStringLiteral(
                "Indiquez le nom de votre serveur POP (par exemple pop.fournisseur.example), votre nom "
                "d'utilisateur et votre mot de passe. ")
        + secureServerHelpText() + u'.');
    auto* grid = new QGridLayout;
    pageLayout()->addLayout(grid);
    auto addRow = [this, grid](int row, const QString& label, const QString& name, const QString& tip) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setToolTip(tip);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    txt_pop = addRow(0, QStringLiteral("Serveur pop :"), QStringLiteral("txt_pop"),
        QStringLiteral("L'adresse du serveur de courrier entrant de votre fournisseur d'accès, "
                       "généralement de la forme pop.nom-du-fournisseur.fr. ")
            + secureServerHelpText() + u'.');
    txt_login = addRow(1, QStringLiteral("Nom d'utilisateur :"), QStringLiteral("txt_login"),
        QStringLiteral("Votre nom d'utilisateur (login) avec lequel vous vous connectez à votre "
                       "messagerie."));
    txt_pass = addRow(2, QStringLiteral("Mot de passe :"), QStringLiteral("txt_pass"),
        QStringLiteral("Le mot de passe correspondant à cette adresse."));
    txt_pass->setEchoMode(QLineEdit::Password);
    // Each typed character shows as an X.
    txt_pass->setStyleSheet(QStringLiteral("lineedit-password-character: 88;"));

    vf_pop = new QCheckBox(QStringLiteral("Ne pas utiliser cette adresse"), this);
    vf_pop->setObjectName(QStringLiteral("vf_pop"));
    pageLayout()->addWidget(vf_pop);

    auto* stateRow = new QHBoxLayout;
    const QString stateTip = QStringLiteral("Indique l'etat de cette adresse : non testée, OK ou erreur.");
    auto* stateLabel = new QLabel(QStringLiteral("Etat :"), this);
    stateLabel->setToolTip(stateTip);
    led_etat = new QFrame(this);
    led_etat->setObjectName(QStringLiteral("led_etat"));
    led_etat->setFixedSize(12, 12);
    led_etat->setToolTip(stateTip);
    txt_etat = new QLabel(this);
    txt_etat->setObjectName(QStringLiteral("txt_etat"));
    txt_etat->setToolTip(stateTip);
    stateRow->addWidget(stateLabel);
    stateRow->addWidget(led_etat);
    stateRow->addWidget(txt_etat);
    stateRow->addStretch();
    pageLayout()->addLayout(stateRow);

    bt15_ok = addValidateButton(QStringLiteral("bt15_ok"));
    connect(vf_pop, &QCheckBox::clicked, this, &MailAddressPage::onUseClicked);
    connect(bt15_ok, &QPushButton::clicked, this, &MailAddressPage::validate);
}

void MailAddressPage::load(int k)
{
    m_page.showAccountPage(k);
    txt_pop->setText(m_page.fields.server);
    txt_login->setText(m_page.fields.login);
    txt_pass->setText(m_page.fields.password);
    showFields();
}

void MailAddressPage::mailCheckingSwitchedOn()
{
    m_page.mailCheckingSwitchedOn();
}

void MailAddressPage::takeTexts()
{
    m_page.fields.server = txt_pop->text();
    m_page.fields.login = txt_login->text();
    m_page.fields.password = txt_pass->text();
    m_page.fields.notUsedTicked = vf_pop->checkState() == Qt::Checked;
}

// The use box, the enabling of the texts, the light and the state; the texts stay as typed.
void MailAddressPage::showFields()
{
    const AccountPageFields& f = m_page.fields;
    vf_pop->setChecked(f.notUsedTicked);
    for (QLineEdit* edit : { txt_pop, txt_login, txt_pass })
        edit->setEnabled(f.textsEnabled);
    led_etat->setStyleSheet(
        QStringLiteral("QFrame#led_etat { background: %1; border-radius: 6px; }").arg(f.light.name()));
    led_etat->setProperty("colour", f.light);
    txt_etat->setText(f.stateText);
    setVisible(f.frameShown);
}

void MailAddressPage::onUseClicked()
{
    takeTexts();
    m_page.applyUseCheckbox();
    showFields();
}

void MailAddressPage::validate()
{
    takeTexts();
    m_page.validateAccountPage();
    showFields();
}

} // namespace chronolien
