#pragma once

#include "platform/process_starter.h"

#include <QStringList>

namespace chronolien::test {

class FakeProcessStarter final : public ProcessStarter {
public:
    void startDetached(const QString& program) override { started.append(program); }
    void openUrl(const QString& pathOrUrl) override { opened.append(pathOrUrl); }
    QStringList started;
    QStringList opened;
};

} // namespace chronolien::test
