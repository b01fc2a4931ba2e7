#include "config_dialog/line_page.h"

#include "config_dialog/config_dialog_context.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "state/app_state.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace chronolien {

namespace {

// Each line of the list holds the connection it stands for; empty for the dial-up line.
constexpr int ConnectionRole = Qt::UserRole;

} // namespace

LinePage::LinePage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
{
    addText(
        QStringLiteral("La ligne dont Chronolien compte le temps, que « Connecter » ouvre et "
                       "« Déconnecter » ferme : la ligne téléphonique, ou une connexion de NetworkManager "
                       "(modem 3G/4G, Bluetooth, téléphone partagé, VPN...)."));
    m_lines = new QListWidget(this);
    m_lines->setObjectName(QStringLiteral("lst_ligne"));
    m_lines->setToolTip(QStringLiteral("Lignes"));
    pageLayout()->addWidget(m_lines);
    m_absent
        = addText(QStringLiteral("NetworkManager ne répond pas : seule la ligne téléphonique est proposée."));
    m_absent->setObjectName(QStringLiteral("txt_ligne"));
    addValidateButton(QStringLiteral("bt20_ok"));
}

void LinePage::load(int)
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
