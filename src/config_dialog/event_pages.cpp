#include "config_dialog/event_pages.h"

#include "config_dialog/config_dialog_context.h"
#include "config_dialog/file_choices.h"
#include "settings/command_list.h"
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
    : ConfigPage(parent)
    , m_context(context)
    , m_list(list)
    , m_lines(new QListWidget(this))
    , m_detail(new QLabel(QStringLiteral("Détail"), this))
{
    const QString n = QString::number(list);
    addText(list == 2
            ? QStringLiteral("Chaque ligne correspond à une ligne de commande qui sera exécutée lors de la "
                             "déconnexion.")
            : QStringLiteral("Chaque ligne correspond à une ligne de commande qui sera exécutée lors de la "
                             "connexion."));
    m_lines->setObjectName(QStringLiteral("lst_even") + n);
    m_lines->setToolTip(QStringLiteral("Lignes de commande"));
    pageLayout()->addWidget(m_lines);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("Ajouter"), this);
    add->setObjectName((list == 2 ? QStringLiteral("Bt_ajouter") : QStringLiteral("bt_ajouter")) + n);
    add->setToolTip(QStringLiteral("Choisir un executable"));
    auto* remove = new QPushButton(QStringLiteral("Supprimer"), this);
    remove->setObjectName(QStringLiteral("bt_supr") + n);
    remove->setToolTip(QStringLiteral("Supprimer la ligne sélectionnée"));
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    pageLayout()->addLayout(buttons);
    m_detail->setObjectName(QStringLiteral("txt_even") + n);
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pageLayout()->addWidget(m_detail);
    addValidateButton(list == 2 ? QStringLiteral("bt18_ok") : QStringLiteral("bt17_ok"));
    connect(m_lines, &QListWidget::itemSelectionChanged, this, &CommandListPage::showSelectedLine);
    connect(add, &QPushButton::clicked, this, &CommandListPage::add);
    connect(remove, &QPushButton::clicked, this, &CommandListPage::removeSelected);
}

void CommandListPage::load(int)
{
    m_lines->clear();
    m_lines->addItems(m_context.state.commandLists[std::size_t(m_list - 1)].entries);
    showSelectedLine();
    setVisible(true);
}

void CommandListPage::showSelectedLine()
{
    const QList<QListWidgetItem*> selected = m_lines->selectedItems();
    m_detail->setText(selected.isEmpty() ? QString() : selected.first()->text());
}

void CommandListPage::add()
{
    if (const auto path = chooseCommand(m_list, m_context.chooser, m_context.messages))
        m_lines->addItem(*path);
    showSelectedLine();
}

void CommandListPage::removeSelected()
{
    const QList<QListWidgetItem*> selected = m_lines->selectedItems();
    if (selected.isEmpty())
        return;
    delete m_lines->takeItem(m_lines->row(selected.first()));
    // No line stays selected after a removal, so the next "Supprimer" cannot take a line the user
    // did not pick.
    m_lines->clearSelection();
    m_lines->setCurrentRow(-1);
    showSelectedLine();
}

void CommandListPage::store()
{
    QStringList lines;
    for (int i = 0; i < m_lines->count(); ++i)
        lines.append(m_lines->item(i)->text());
    AppState& state = m_context.state;
    commitCommandList(state.commandLists[std::size_t(m_list - 1)], lines,
        commandListPath(state.appFolder, m_list), m_context.messages);
}

PermanentConnectionPage::PermanentConnectionPage(ConfigDialogContext& context, QWidget* parent)
    : ConfigPage(parent)
    , m_context(context)
    , m_permanent(new QCheckBox(QStringLiteral("Connexion permanente"), this))
{
    addText(QStringLiteral(
        "Cochez cette case si vous n'êtes pas limité et que vous voulez maintenir votre connexion "
        "ouverte en permanence. Chronolien se connectera alors automatiquement dès son lancement, "
        "c'est-à-dire dès l'ouverture de votre session s'il a été installé pour démarrer avec elle. "
        "Si la liaison vient à être fermée, elle sera réouverte."));
    m_permanent->setObjectName(QStringLiteral("vf_auto"));
    pageLayout()->addWidget(m_permanent);
    addValidateButton(QStringLiteral("bt19_ok"));
}

void PermanentConnectionPage::load(int)
{
    m_permanent->setChecked(m_context.state.settings.connect_auto);
    setVisible(true);
}

void PermanentConnectionPage::store()
{
    m_context.state.settings.connect_auto = plainlyTicked(m_permanent);
    m_context.settings.store(&Settings::connect_auto);
}

} // namespace chronolien
