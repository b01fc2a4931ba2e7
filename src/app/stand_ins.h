#pragma once

#include "core/app_state.h"
#include "core/configuration_pages.h"
#include "core/mail_check.h"
#include "core/mail_lifecycle.h"
#include "core/windows.h"

namespace chronolien {

// Until the windows exist: nothing is shown, but the floating window's flag follows what was
// asked, so that the logic reading affiche_actu (quitting, saving) behaves as it will with them.
class WindowStandIn final : public Windows {
public:
    explicit WindowStandIn(AppState& state)
        : m_state(state)
    {
    }
    void ShowFloatingWindow() override { m_state.settings.affiche_actu = true; }
    void HideFloatingWindow() override { m_state.settings.affiche_actu = false; }
    void ApplyCounterWindow() override { }
    void ApplyMailWindow() override { }
    void CloseAllWindows() override { }
    void LoadCentreSkin(bool) override { }
    void setConnectCaptions(bool) override { }
    void setDownLight(bool) override { }
    void setUpLight(bool) override { }
    void setCounterTexts(const QString&, const QString&) override { }
    void setMonthAlertLook(bool) override { }
    void setGauge(const GaugeView&) override { }

private:
    AppState& m_state;
};

// Until the mail checker exists: no check, no accounts, no sockets.
class MailStandIn final : public MailCheckStarter, public MailLifecycle {
public:
    void StartMailCheck() override { }
    void LoadAccounts() override { }
    void CloseMailSockets() override { }
};

// Until the configuration dialog exists: no page to bring in line.
class ConfigurationStandIn final : public ConfigurationPages {
public:
    void LoadForfaitPage() override { }
};

} // namespace chronolien
