#include "config_dialog/line_page.h"

#include "config_dialog/config_dialog_context.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "state/app_state.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

namespace {

// Each line of the list holds the connection it stands for; empty for the dial-up line.
constexpr int ConnectionRole = Qt::UserRole;

} // namespace

LinePage::LinePage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(Frame, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Choisissez la ligne dont Chronolien compte le temps, et qu'il ouvre et ferme quand vous "
        "cliquez sur « Connecter » ou « Déconnecter » : la ligne téléphonique composée par pppd, ou "
        "une connexion de NetworkManager (clé ou modem 3G/4G, Bluetooth, partage de connexion d'un "
        "téléphone, VPN...)."));
    m_lines = new QListWidget(this);
    m_lines->setObjectName(QStringLiteral("lst_ligne"));
    m_lines->setToolTip(QStringLiteral("Lignes"));
    pageLayout()->addWidget(m_lines);
    m_absent = addText(QStringLiteral("NetworkManager ne répond pas : ses connexions ne peuvent pas être "
                                      "proposées, seule la ligne téléphonique (pppd) l'est."));
    m_absent->setObjectName(QStringLiteral("txt_ligne"));
    m_validate = addValidateButton(QStringLiteral("bt20_ok"));
    connect(m_validate, &QPushButton::clicked, this, &LinePage::store);
}

void LinePage::load()
{
    m_lines->clear();
    auto* dialUp = new QListWidgetItem(QStringLiteral("Ligne téléphonique (pppd)"), m_lines);
    dialUp->setData(ConnectionRole, QString());

    const std::optional<QStringList> names
        = m_context.networkManagerConnections ? m_context.networkManagerConnections() : std::nullopt;
    m_absent->setVisible(!names);
    const QString stored = m_context.state.settings.ligne.networkManagerConnection;
    QListWidgetItem* selected = dialUp;
    for (const QString& name : names.value_or(QStringList())) {
        auto* item = new QListWidgetItem(name, m_lines);
        item->setData(ConnectionRole, name);
        if (name == stored)
            selected = item;
    }
    // The stored connection stays the choice until the user makes another: shown, but as missing.
    if (!stored.isEmpty() && selected == dialUp) {
        selected = new QListWidgetItem(stored + QStringLiteral(" (introuvable)"), m_lines);
        selected->setData(ConnectionRole, stored);
        selected->setForeground(Qt::gray);
    }
    m_lines->setCurrentItem(selected);
    setVisible(true);
}

void LinePage::store()
{
    const QListWidgetItem* item = m_lines->currentItem();
    if (!item)
        return;
    const LineChoice choice { item->data(ConnectionRole).toString() };
    if (!choice.isDialUp() && !LineChoice::canStore(choice.networkManagerConnection)) {
        m_context.messages.show(
            QStringLiteral("Chronolien ne peut pas enregistrer le nom de cette connexion : il doit tenir en "
                           "57 caractères, sans espace à la fin, en lettres de l'alphabet latin. "
                           "Renommez-la dans NetworkManager, puis choisissez-la de nouveau."),
            StyleWarning);
        return;
    }
    m_context.state.settings.ligne = choice;
    m_context.settings.store(&Settings::ligne);
}

} // namespace chronolien
