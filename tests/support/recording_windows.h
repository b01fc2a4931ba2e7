#pragma once

#include "state/app_state.h"
#include "state/program_view.h"

#include <QStringList>

namespace chronolien::test {

// Stands in for the windows: records every call, in order, and keeps the state that the real
// windows keep (affiche_actu follows the floating window; the lights and texts are remembered).
class RecordingWindows final : public ProgramView {
public:
    explicit RecordingWindows(AppState& state)
        : m_state(state)
    {
    }

    void showFloatingWindow() override
    {
        calls.append(QStringLiteral("showFloatingWindow"));
        m_state.settings.affiche_actu = true;
    }
    void hideFloatingWindow() override
    {
        calls.append(QStringLiteral("hideFloatingWindow"));
        m_state.settings.affiche_actu = false;
    }
    bool floatingWindowCanHide() const override { return trayIconShown; }
    void applyCounterWindow() override { calls.append(QStringLiteral("applyCounterWindow")); }
    void applyMailWindow() override { calls.append(QStringLiteral("applyMailWindow")); }
    void closeAllWindows() override { calls.append(QStringLiteral("closeAllWindows")); }
    void loadCentreSkin(bool connected) override
    {
        calls.append(QStringLiteral("loadCentreSkin(%1)").arg(connected));
    }
    void setConnectCaptions(bool connected) override
    {
        calls.append(QStringLiteral("setConnectCaptions(%1)").arg(connected));
    }
    void setDownLight(bool shown) override { downLight = shown; }
    void setUpLight(bool shown) override { upLight = shown; }
    void setCounterTexts(const QString& session, const QString& month) override
    {
        sessionText = session;
        monthText = month;
        ++counterUpdates;
    }
    void setMonthAlertLook(bool alert) override
    {
        calls.append(QStringLiteral("setMonthAlertLook(%1)").arg(alert));
        monthAlert = alert;
    }
    void setGauge(const GaugeView& view) override { gauge = view; }

    // How many times the call of this name was recorded.
    int callsOf(const char* name) const { return int(calls.count(QLatin1String(name))); }

    QStringList calls;
    bool trayIconShown = true;
    bool downLight = false;
    bool upLight = false;
    QString sessionText;
    QString monthText;
    int counterUpdates = 0;
    bool monthAlert = false;
    GaugeView gauge;

private:
    AppState& m_state;
};

} // namespace chronolien::test
