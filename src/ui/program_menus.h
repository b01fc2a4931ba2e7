#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <memory>

class QAction;
class QMenu;

namespace chronolien {

// The two pop-up menus: menuicone from the tray icon and menucentre from the floating window.
// Their entries are named after the design (menuaffich, menu2affich...) and report the user's
// choice through the signals; the captions that follow the state are set from outside.
class ProgramMenus final : public QObject {
    Q_OBJECT

public:
    ProgramMenus();
    ~ProgramMenus() override;

    QMenu* trayMenu() const { return m_trayMenu.get(); } // menuicone
    QMenu* centreMenu() const { return m_centreMenu.get(); } // menucentre
    // The entry of either menu with the given name; null when there is none.
    QAction* entry(const QString& name) const;

    // menuaffich: "Masquer" while the floating window is shown, "Afficher" otherwise.
    void setFloatingShownCaption(bool shown);
    // menu2affich: "Masquer le compteur" while the counter window is shown.
    void setCounterShownCaption(bool shown);
    // menuconnect: "Déconnecter" while the line is up.
    void setConnectCaption(bool connected);
    // While the program has no tray icon, menucentre also offers the tray menu's menuconnect and
    // menuquitter, which nothing else reaches then.
    void setTrayEntriesInCentreMenu(bool added);

    void popupTrayMenu(QPoint globalPos);
    void popupCentreMenu(QPoint globalPos);

Q_SIGNALS:
    void helpChosen();
    void aboutChosen();
    void floatingWindowChosen(); // menuaffich
    void configurationChosen();
    void connectChosen();
    void quitChosen();
    void counterWindowChosen(); // menu2affich
    void graphChosen();

private:
    std::unique_ptr<QMenu> m_trayMenu;
    std::unique_ptr<QMenu> m_centreMenu;
    // What setTrayEntriesInCentreMenu adds at the end of menucentre, in order.
    QList<QAction*> m_trayEntriesInCentre;
};

} // namespace chronolien
