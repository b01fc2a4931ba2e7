#pragma once

#include <QString>

namespace chronolien {

// Starts the user's programs and the desktop's default handlers; never waits, never reports errors.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts a program detached, with no arguments.
    virtual void startDetached(const QString& program) = 0;
    // Opens a file path, a web address or a mailto: link with the desktop's default handler.
    virtual void openUrl(const QString& pathOrUrl) = 0;
};

} // namespace chronolien
