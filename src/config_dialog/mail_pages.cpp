#include "config_dialog/mail_pages.h"

#include "config_dialog/config_dialog_context.h"
#include "mail/pop3_endpoint.h"
#include "state/app_state.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace chronolien {

MailAddressPage::MailAddressPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
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
    m_server = addRow(0, QStringLiteral("Serveur pop :"), QStringLiteral("txt_pop"),
        QStringLiteral("L'adresse du serveur de courrier entrant de votre fournisseur d'accès, "
                       "généralement de la forme pop.nom-du-fournisseur.fr. ")
            + secureServerHelpText() + u'.');
    m_login = addRow(1, QStringLiteral("Nom d'utilisateur :"), QStringLiteral("txt_login"),
        QStringLiteral("Votre nom d'utilisateur (login) avec lequel vous vous connectez à votre "
                       "messagerie."));
    m_password = addRow(2, QStringLiteral("Mot de passe :"), QStringLiteral("txt_pass"),
        QStringLiteral("Le mot de passe correspondant à cette adresse."));
    m_password->setEchoMode(QLineEdit::Password);
    // Each typed character shows as an X.
    m_password->setStyleSheet(QStringLiteral("lineedit-password-character: 88;"));

    m_notUsed = new QCheckBox(QStringLiteral("Ne pas utiliser cette adresse"), this);
    m_notUsed->setObjectName(QStringLiteral("vf_pop"));
    pageLayout()->addWidget(m_notUsed);

    auto* stateRow = new QHBoxLayout;
    const QString stateTip = QStringLiteral("Indique l'etat de cette adresse : non testée, OK ou erreur.");
    auto* stateLabel = new QLabel(QStringLiteral("Etat :"), this);
    stateLabel->setToolTip(stateTip);
    m_light = new QFrame(this);
    m_light->setObjectName(QStringLiteral("led_etat"));
    m_light->setFixedSize(12, 12);
    m_light->setToolTip(stateTip);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("txt_etat"));
    m_state->setToolTip(stateTip);
    stateRow->addWidget(stateLabel);
    stateRow->addWidget(m_light);
    stateRow->addWidget(m_state);
    stateRow->addStretch();
    pageLayout()->addLayout(stateRow);

    addValidateButton(QStringLiteral("bt15_ok"));
    connect(m_notUsed, &QCheckBox::clicked, this, &MailAddressPage::onUseClicked);
}

void MailAddressPage::load(int k)
{
    m_page.showAccountPage(k);
    m_server->setText(m_page.fields.server);
    m_login->setText(m_page.fields.login);
    m_password->setText(m_page.fields.password);
    showFields();
}

void MailAddressPage::takeTexts()
{
    m_page.fields.server = m_server->text();
    m_page.fields.login = m_login->text();
    m_page.fields.password = m_password->text();
    m_page.fields.notUsedTicked = plainlyTicked(m_notUsed);
}

// The use box, the enabling of the texts, the light and the state; the texts stay as typed.
void MailAddressPage::showFields()
{
    const AccountPageFields& f = m_page.fields;
    m_notUsed->setChecked(f.notUsedTicked);
    for (QLineEdit* edit : { m_server, m_login, m_password })
        edit->setEnabled(f.textsEnabled);
    m_light->setStyleSheet(
        QStringLiteral("QFrame#led_etat { background: %1; border-radius: 6px; }").arg(f.light.name()));
    m_light->setProperty("colour", f.light);
    m_state->setText(f.stateText);
    setVisible(f.frameShown);
}

void MailAddressPage::onUseClicked()
{
    takeTexts();
    m_page.applyUseCheckbox();
    showFields();
}

void MailAddressPage::store()
{
    takeTexts();
    m_page.validateAccountPage();
    showFields();
}

} // namespace chronolien
