#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QObject>

namespace chronolien {

// Notifications through the desktop's notification service on the session bus, running or started
// by the bus on demand. Only the bus itself is asked anything while the caller waits: the service
// gets its requests asynchronously, so a stuck service cannot freeze the windows.
class DBusNotifier final : public QObject, public Notifier {
    Q_OBJECT
public:
    explicit DBusNotifier(
        const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    bool notify(const QString& summary, const QString& body) override;

private:
    void send(const QString& summary, const QString& body);

    QDBusConnection m_bus;
    // The running service whose capabilities were read, and whether it reads the body as markup:
    // such a service would drop or garble a mail subject holding "<" or "&" unless escaped.
    QString m_knownService;
    bool m_bodyMarkup = false;
};

} // namespace chronolien
