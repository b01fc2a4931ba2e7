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

    void setCounterTexts(const QString& session, const QString& month);
    // Red on an opaque background while the plan is over its allowance, light green otherwise.
    void setMonthAlertLook(bool alert);
    void setGauge(const GaugeView& gauge);

Q_SIGNALS:
    void closeRequested();
    void changeSideRequested();

private:
    QLabel* m_month; // txt_cpt_mois
    QLabel* m_session; // txt_cpt_session
    QWidget* m_gaugeBar; // Image1
    ShapeWidget* m_cursor; // curseur
    ClickArea* m_close; // bt_fermer
    ClickArea* m_changeSide; // bt_changer
};

} // namespace chronolien
