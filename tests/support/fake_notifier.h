#pragma once

#include "platform/notifier.h"

#include <QList>

namespace chronolien::test {

// The desktop's notifications as a test scripts them: whether the desktop has the service, and
// what reached it.
class FakeNotifier final : public Notifier {
public:
    struct Notification {
        QString summary;
        QString body;
    };

    bool notify(const QString& summary, const QString& body) override
    {
        if (serviceAvailable)
            sent.append({ summary, body });
        return serviceAvailable;
    }

    bool serviceAvailable = true;
    QList<Notification> sent;
};

} // namespace chronolien::test
