#pragma once

#include "skins/skin_files.h"
#include "state/program_view.h"

#include <QObject>
#include <functional>
#include <memory>

namespace chronolien {

class CounterWindow;
class FloatingWindow;
class MailWindow;
class ProcessStarter;
class ProgramMenus;
class SettingsStore;
class SkinnedWindow;
struct AppState;

// The program's visible side: the floating, counter and mail windows and the two pop-up menus,
// opened, closed, placed and skinned as the state says. The windows live for the whole run;
// closing one hides it.
class ProgramWindows final : public QObject, public ProgramView {
    Q_OBJECT

public:
    ProgramWindows(AppState& state, SettingsStore& settings, ProcessStarter& processes);
    ~ProgramWindows() override;

    void showFloatingWindow() override;
    void hideFloatingWindow() override;
    bool floatingWindowCanHide() const override { return m_trayIconShown; }
    void applyCounterWindow() override;
    void applyMailWindow() override;
    void closeAllWindows() override;
    void loadCentreSkin(bool connected) override;
    void setConnectCaptions(bool connected) override;
    void setDownLight(bool shown) override;
    void setUpLight(bool shown) override;
    void setCounterTexts(const QString& session, const QString& month) override;
    void setMonthAlertLook(bool alert) override;
    void setGauge(const GaugeView& gauge) override;

    void loadCounterSkin();
    void loadMailSkin();
    // Every window takes the pictures of the skin now in use, shown or not.
    void reloadSkins();

    // The counter window's top beside the floating window by pos_compteur, which is stored.
    void placeCounterWindow();
    // The mail window's left edge beside the floating window by pos_mail, which is stored.
    void placeMailWindow();

    // Whether the program's icon is in a tray. Without one the floating window is the only way into
    // the program: it stays shown (hiding it is refused) and its menu also offers "Connecter" and
    // "Quitter". The program starts as if it had an icon.
    void setTrayIconShown(bool shown);

    // The help page in the desktop's browser.
    void openHelp();
    // The usage graph program, when there is one.
    void openGraph();

    // What refreshes the counter texts (updateCounterDisplay) and the mail lines (fillMailList)
    // when their windows open. Their owners are built after the windows, so they are set later.
    void setCounterDisplayRefresh(std::function<void()> refresh) { m_refreshCounter = std::move(refresh); }
    void setMailListFill(std::function<void()> fill) { m_fillMailList = std::move(fill); }

    FloatingWindow& floatingWindow() const { return *m_centre; } // fl_centre
    CounterWindow& counterWindow() const { return *m_counter; } // fl_compteur
    MailWindow& mailWindow() const { return *m_mail; } // fl_mail
    ProgramMenus& menus() const { return *m_menus; }

Q_SIGNALS:
    // What the menus and the floating window ask of the rest of the program.
    void toggleConnectionRequested(); // hang up when the line is up, dial otherwise
    void configurationRequested(); // the configuration dialog on its plan section
    void aboutRequested();
    void quitRequested(); // ask whether to quit and, when the answer allows it, end the program

private:
    void anchorHiddenCentre();
    void connectFloatingWindow();
    void connectSatellites();
    void connectMenus();
    void beginDrag();
    void endDrag();
    void loadPicture(SkinnedWindow& window, SkinPicture picture);

    AppState& m_state;
    SettingsStore& m_settings;
    ProcessStarter& m_processes;
    std::unique_ptr<FloatingWindow> m_centre;
    std::unique_ptr<CounterWindow> m_counter;
    std::unique_ptr<MailWindow> m_mail;
    std::unique_ptr<ProgramMenus> m_menus;
    std::function<void()> m_refreshCounter;
    std::function<void()> m_fillMailList;
    bool m_trayIconShown = true;
};

} // namespace chronolien
