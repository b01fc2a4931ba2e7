#pragma once

#include <QString>

namespace chronolien {

// The desktop's notifications: short messages the desktop shows for a moment in a corner.
class Notifier {
public:
    virtual ~Notifier() = default;
    // Hands the texts, plain text both, to the desktop and returns at once. False when the desktop
    // has no notification service, so that the caller can show the tray balloon instead; true means
    // the notification was sent, not that it was seen.
    virtual bool notify(const QString& summary, const QString& body) = 0;
};

} // namespace chronolien
