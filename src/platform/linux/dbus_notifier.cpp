#include "platform/linux/dbus_notifier.h"

#include "platform/linux/desktop_log.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

namespace chronolien {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString AppName = QStringLiteral("Chronolien");
const QString IconName = QStringLiteral("chronolien");
const int DefaultExpiry = -1;

QDBusMessage serviceCall(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}

} // namespace

DBusNotifier::DBusNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
}

bool DBusNotifier::notify(const QString& summary, const QString& body)
{
    QDBusConnectionInterface* busDaemon = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (!busDaemon) {
        qCWarning(lcDesktop) << "no session bus for notifications:" << m_bus.lastError().message();
        return false;
    }
    const QDBusReply<QString> owner = busDaemon->serviceOwner(Service);
    const QString running = owner.isValid() ? owner.value() : QString();
    if (running.isEmpty()) {
        const QDBusReply<QStringList> activatable = busDaemon->activatableServiceNames();
        if (!activatable.isValid() || !activatable.value().contains(Service))
            return false;
    }
    if (!running.isEmpty() && running == m_knownService) {
        send(summary, body);
        return true;
    }

    // A service not met before, or one the bus is about to start: its capabilities come first.
    auto* pending
        = new QDBusPendingCallWatcher(m_bus.asyncCall(serviceCall(QStringLiteral("GetCapabilities"))), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
        [this, summary, body](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusPendingReply<QStringList> capabilities = *call;
            if (capabilities.isError()) {
                qCWarning(lcDesktop) << "notification service capabilities:"
                                     << capabilities.error().message();
                m_knownService.clear();
                m_bodyMarkup = false;
            } else {
                m_knownService = capabilities.reply().service();
                m_bodyMarkup = capabilities.value().contains(QLatin1String("body-markup"));
            }
            send(summary, body);
        });
    return true;
}

void DBusNotifier::send(const QString& summary, const QString& body)
{
    QDBusMessage call = serviceCall(QStringLiteral("Notify"));
    call << AppName << 0u << IconName << summary << (m_bodyMarkup ? body.toHtmlEscaped() : body)
         << QStringList() << QVariantMap() << DefaultExpiry;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* sent) {
        sent->deleteLater();
        if (sent->isError())
            qCWarning(lcDesktop) << "notification not shown:" << sent->error().message();
    });
}

} // namespace chronolien
