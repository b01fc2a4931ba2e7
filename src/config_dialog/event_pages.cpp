#include "config_dialog/event_pages.h"

#include "config_dialog/config_dialog_context.h"
#include "config_dialog/file_choices.h"
#include "settings/settings.h"
#include "state/app_state.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

CommandListPage::CommandListPage(ConfigDialogContext& context, int list, QWidget* parent)
    : ConfigPage(list == 2 ? 18 : 17, parent)
    , m_context(context)
    , m_list(list)
{
    const QString n = QString::number(list);
    addText(list == 2
            ? QStringLiteral("Chaque ligne correspond à une ligne de commande qui sera exécutée lors de la "
                             "déconnexion.")
            : QStringLiteral("Chaque ligne correspond à une ligne de commande qui sera exécutée lors de la "
                             "connexion."));
    lst_even = new QListWidget(this);
    lst_even->setObjectName(QStringLiteral("lst_even") + n);
    lst_even->setToolTip(QStringLiteral("Lignes de commande"));
    pageLayout()->addWidget(lst_even);
    auto* buttons = new QHBoxLayout;
    bt_ajouter = new QPushButton(QStringLiteral("Ajouter"), this);
    bt_ajouter->setObjectName((list == 2 ? QStringLiteral("Bt_ajouter") : QStringLiteral("bt_ajouter")) + n);
    bt_ajouter->setToolTip(QStringLiteral("Choisir un executable"));
    bt_supr = new QPushButton(QStringLiteral("Supprimer"), this);
    bt_supr->setObjectName(QStringLiteral("bt_supr") + n);
    bt_supr->setToolTip(QStringLiteral("Supprimer la ligne sélectionnée"));
    buttons->addWidget(bt_ajouter);
    buttons->addWidget(bt_supr);
    buttons->addStretch();
    pageLayout()->addLayout(buttons);
    txt_even = new QLabel(QStringLiteral("Détail"), this);
    txt_even->setObjectName(QStringLiteral("txt_even") + n);
    txt_even->setWordWrap(true);
    txt_even->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pageLayout()->addWidget(txt_even);
    bt_ok = addValidateButton(list == 2 ? QStringLiteral("bt18_ok") : QStringLiteral("bt17_ok"));
    connect(lst_even, &QListWidget::itemSelectionChanged, this, &CommandListPage::showSelectedLine);
    connect(bt_ajouter, &QPushButton::clicked, this, &CommandListPage::add);
    connect(bt_supr, &QPushButton::clicked, this, &CommandListPage::removeSelected);
    connect(bt_ok, &QPushButton::clicked, this, &CommandListPage::store);
}

void CommandListPage::load()
{
    lst_even->clear();
    lst_even->addItems(m_context.state.commandLists[std::size_t(m_list - 1)].entries);
    setVisible(true);
}

void CommandListPage::showSelectedLine()
{
    const QList<QListWidgetItem*> selected = lst_even->selectedItems();
    txt_even->setText(selected.isEmpty() ? QString() : selected.first()->text());
}

QStringList CommandListPage::lines() const
{
    QStringList result;
    for (int i = 0; i < lst_even->count(); ++i)
        result.append(lst_even->item(i)->text());
    return result;
}

void CommandListPage::add()
{
    if (const auto path = chooseCommand(m_list, m_context.chooser, m_context.messages))
        lst_even->addItem(*path);
    showSelectedLine();
}

void CommandListPage::removeSelected()
{
    const QList<QListWidgetItem*> selected = lst_even->selectedItems();
    if (selected.isEmpty())
        return;
    delete lst_even->takeItem(lst_even->row(selected.first()));
    // No line stays selected after a removal, so the next "Supprimer" cannot take a line the user
    // did not pick.
    lst_even->clearSelection();
    lst_even->setCurrentRow(-1);
    showSelectedLine();
}

void CommandListPage::store()
{
    AppState& state = m_context.state;
    commitCommandList(state.commandLists[std::size_t(m_list - 1)], lines(),
        commandListPath(state.appFolder, m_list), m_context.messages);
}

PermanentConnectionPage::PermanentConnectionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(19, parent)
    , m_context(context)
{
    addText(QStringLiteral(
        "Cochez cette case si vous n'êtes pas limité et que vous voulez maintenir votre connexion "
        "ouverte en permanence. Chronolien se connectera alors automatiquement dès le démarrage "
        "de Windows. Si la liaison vient à être fermée, elle sera réouverte."));
    vf_auto = new QCheckBox(QStringLiteral("Connexion permanente"), this);
    vf_auto->setObjectName(QStringLiteral("vf_auto"));
    pageLayout()->addWidget(vf_auto);
    bt19_ok = addValidateButton(QStringLiteral("bt19_ok"));
    connect(bt19_ok, &QPushButton::clicked, this, &PermanentConnectionPage::store);
}

void PermanentConnectionPage::load()
{
    vf_auto->setChecked(m_context.state.settings.connect_auto);
    setVisible(true);
}

void PermanentConnectionPage::store()
{
    Settings& s = m_context.state.settings;
    s.connect_auto = vf_auto->checkState() == Qt::Checked;
    m_context.settings.store(&Settings::connect_auto);
}

} // namespace chronolien
