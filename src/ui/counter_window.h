#pragma once

#include "ui/skinned_window.h"

class QLabel;

namespace chronolien {

class ClickArea;
class ShapeWidget;
struct GaugeView;

// fl_compteur: the session and month times and the consumption gauge, below or above the
// floating window, with its close and "Changer d'orientation" buttons.
class CounterWindow final : public SkinnedWindow {
    Q_OBJECT

public:
    CounterWindow();

    QLabel* txt_cpt_mois() const { return m_month; }
    QLabel* txt_cpt_session() const { return m_session; }
    QWidget* Image1() const { return m_gaugeBar; }
    ShapeWidget* curseur() const { return m_cursor; }
    ClickArea* bt_fermer() const { return m_close; }
    ClickArea* bt_changer() const { return m_changeSide; }

    void setCounterTexts(const QString& session, const QString& month);
    // Red on an opaque background while the plan is over its allowance, light green otherwise.
    void setMonthAlertLook(bool alert);
    void setGauge(const GaugeView& gauge);

Q_SIGNALS:
    void closeRequested();
    void changeSideRequested();

private:
    QLabel* m_month;
    QLabel* m_session;
    QWidget* m_gaugeBar;
    ShapeWidget* m_cursor;
    ClickArea* m_close;
    ClickArea* m_changeSide;
};

// 0x00BBGGRR as the settings and the logic give colours.
QColor colourFromBgr(unsigned bgr);

} // namespace chronolien
