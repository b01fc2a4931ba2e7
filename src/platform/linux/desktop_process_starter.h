#pragma once

#include "platform/process_starter.h"

namespace chronolien {

class DesktopProcessStarter final : public ProcessStarter {
public:
    bool startDetached(const QString& program) override;
    void openUrl(const QString& pathOrUrl) override;
};

} // namespace chronolien
