#include "ui/program_menus.h"

#include <QAction>
#include <QMenu>

namespace chronolien {

namespace {

QAction* addEntry(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void addSeparator(QMenu* menu, const QString& name)
{
    menu->addSeparator()->setObjectName(name);
}

// The program's name heads each menu; choosing it does nothing.
void addTitle(QMenu* menu, const QString& name)
{
    QAction* title = addEntry(menu, name, QStringLiteral("Chronolien"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
}

} // namespace

ProgramMenus::ProgramMenus()
    : m_trayMenu(std::make_unique<QMenu>())
    , m_centreMenu(std::make_unique<QMenu>())
{
    QMenu* tray = m_trayMenu.get();
    tray->setObjectName(QStringLiteral("menuicone"));
    addTitle(tray, QStringLiteral("Titre"));
    connect(addEntry(tray, QStringLiteral("menuaide"), QStringLiteral("Aide")), &QAction::triggered, this,
        &ProgramMenus::helpChosen);
    connect(addEntry(tray, QStringLiteral("menupropos"), QStringLiteral("A propos de...")),
        &QAction::triggered, this, &ProgramMenus::aboutChosen);
    addSeparator(tray, QStringLiteral("separateur"));
    connect(addEntry(tray, QStringLiteral("menuaffich"), QStringLiteral("Afficher")), &QAction::triggered,
        this, &ProgramMenus::floatingWindowChosen);
    connect(addEntry(tray, QStringLiteral("menuconfig"), QStringLiteral("Configuration")),
        &QAction::triggered, this, &ProgramMenus::configurationChosen);
    addSeparator(tray, QStringLiteral("separateur2"));
    connect(addEntry(tray, QStringLiteral("menuconnect"), QStringLiteral("Connecter")), &QAction::triggered,
        this, &ProgramMenus::connectChosen);
    addSeparator(tray, QStringLiteral("separateur3"));
    connect(addEntry(tray, QStringLiteral("menuquitter"), QStringLiteral("Quitter")), &QAction::triggered,
        this, &ProgramMenus::quitChosen);

    QMenu* centre = m_centreMenu.get();
    centre->setObjectName(QStringLiteral("menucentre"));
    addTitle(centre, QStringLiteral("chronolien2"));
    addSeparator(centre, QStringLiteral("separateur4"));
    connect(addEntry(centre, QStringLiteral("menu2affich"), QStringLiteral("Afficher le compteur")),
        &QAction::triggered, this, &ProgramMenus::counterWindowChosen);
    connect(addEntry(centre, QStringLiteral("menu2graph"), QStringLiteral("Afficher le graphique")),
        &QAction::triggered, this, &ProgramMenus::graphChosen);
    connect(addEntry(centre, QStringLiteral("menu2config"), QStringLiteral("Configuration")),
        &QAction::triggered, this, &ProgramMenus::configurationChosen);
    connect(addEntry(centre, QStringLiteral("menu2aide"), QStringLiteral("Aide")), &QAction::triggered, this,
        &ProgramMenus::helpChosen);
    connect(addEntry(centre, QStringLiteral("menu2propos"), QStringLiteral("A propos de...")),
        &QAction::triggered, this, &ProgramMenus::aboutChosen);

    // The tray menu's own entries, so that their captions follow the state in both menus.
    auto separator = [centre] {
        auto* action = new QAction(centre);
        action->setSeparator(true);
        return action;
    };
    m_trayEntriesInCentre = { separator(), entry(QStringLiteral("menuconnect")), separator(),
        entry(QStringLiteral("menuquitter")) };
}

ProgramMenus::~ProgramMenus() = default;

QAction* ProgramMenus::entry(const QString& name) const
{
    for (QMenu* menu : { m_trayMenu.get(), m_centreMenu.get() }) {
        const QList<QAction*> actions = menu->actions();
        for (QAction* action : actions) {
            if (action->objectName() == name)
                return action;
        }
    }
    return nullptr;
}

void ProgramMenus::setFloatingShownCaption(bool shown)
{
    entry(QStringLiteral("menuaffich"))
        ->setText(shown ? QStringLiteral("Masquer") : QStringLiteral("Afficher"));
}

void ProgramMenus::setCounterShownCaption(bool shown)
{
    entry(QStringLiteral("menu2affich"))
        ->setText(shown ? QStringLiteral("Masquer le compteur") : QStringLiteral("Afficher le compteur"));
}

void ProgramMenus::setConnectCaption(bool connected)
{
    entry(QStringLiteral("menuconnect"))
        ->setText(connected ? QStringLiteral("Déconnecter") : QStringLiteral("Connecter"));
}

void ProgramMenus::setTrayEntriesInCentreMenu(bool added)
{
    for (QAction* action : std::as_const(m_trayEntriesInCentre)) {
        if (added)
            m_centreMenu->addAction(action);
        else
            m_centreMenu->removeAction(action);
    }
}

void ProgramMenus::popupTrayMenu(QPoint globalPos)
{
    m_trayMenu->popup(globalPos);
}

void ProgramMenus::popupCentreMenu(QPoint globalPos)
{
    m_centreMenu->popup(globalPos);
}

} // namespace chronolien
