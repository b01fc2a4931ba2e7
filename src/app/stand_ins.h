#pragma once

#include "core/configuration_pages.h"
#include "core/mail_check.h"
#include "core/mail_lifecycle.h"

namespace chronolien {

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
