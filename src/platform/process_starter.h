#pragma once

#include <QString>

namespace chronolien {

// Starts the user's programs and the desktop's default handlers; never waits.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts a program detached, with no arguments; false when it could not be started.
    virtual bool startDetached(const QString& program) = 0;
    // Opens a file path, a web address or a mailto: link with the desktop's default handler.
    virtual void openUrl(const QString& pathOrUrl) = 0;
};

} // namespace chronolien
