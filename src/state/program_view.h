#pragma once

#include <QColor>
#include <QString>

namespace chronolien {

// The consumption gauge of the counter window as the logic computes it.
struct GaugeView {
    bool visible = false;
    float position = 0; // 0 (left) to 100 (right)
    double leftTwips = 120; // left edge of the gauge's shape
    QColor colour = Qt::white; // white while slow, green on course, red while fast
};

// What the program's logic asks of its windows. The window layer implements it; tests record it.
// Showing and hiding the floating window also keep affiche_actu, as the menus rely on it.
class ProgramView {
public:
    virtual ~ProgramView() = default;

    virtual void showFloatingWindow() = 0;
    virtual void hideFloatingWindow() = 0;
    // Whether hiding the floating window leaves a way back into the program: not while no tray
    // holds the program's icon, when the floating window's menu is the only way in.
    virtual bool floatingWindowCanHide() const = 0;
    virtual void applyCounterWindow() = 0;
    virtual void applyMailWindow() = 0;
    // Closes every window of the program, at the end of the run.
    virtual void closeAllWindows() = 0;

    // The floating window's picture for a line that is up or down.
    virtual void loadCentreSkin(bool connected) = 0;
    // "Connecter" / "Déconnecter" on the tray menu entry and the connect button's tooltip.
    virtual void setConnectCaptions(bool connected) = 0;
    // The throughput lights led_down (data coming in) and led_up (data going out).
    virtual void setDownLight(bool shown) = 0;
    virtual void setUpLight(bool shown) = 0;

    // The counter window's texts: txt_cpt_session and txt_cpt_mois.
    virtual void setCounterTexts(const QString& session, const QString& month) = 0;
    // The month text in its alert look (red on an opaque background) or its usual one.
    virtual void setMonthAlertLook(bool alert) = 0;
    virtual void setGauge(const GaugeView& gauge) = 0;
};

} // namespace chronolien
