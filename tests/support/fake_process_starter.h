#pragma once

#include "platform/process_starter.h"

#include <QStringList>

namespace chronolien::test {

class FakeProcessStarter final : public ProcessStarter {
public:
    bool startDetached(const QString& program) override
    {
        started.append(program);
        return true;
    }
    void openUrl(const QString& pathOrUrl) override { opened.append(pathOrUrl); }
    QStringList started;
    QStringList opened;
};

} // namespace chronolien::test
