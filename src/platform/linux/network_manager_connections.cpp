#include "platform/linux/network_manager_connections.h"

#include "platform/linux/network_manager_dbus.h"
#include "platform/logging.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <algorithm>

namespace chronolien {

using namespace networkManager;

std::optional<QStringList> networkManagerConnectionNames(
    const QDBusConnection& bus, std::chrono::milliseconds timeout)
{
    if (!bus.isConnected())
        return std::nullopt;
    const QDeadlineTimer deadline(timeout);
    const auto remaining = [&deadline] { return int(std::max<qint64>(1, deadline.remainingTime())); };

    const QDBusMessage list
        = bus.call(methodCall(SettingsPath, SettingsInterface, QStringLiteral("ListConnections")),
            QDBus::Block, remaining());
    if (list.type() != QDBusMessage::ReplyMessage) {
        qCDebug(lcPlatform) << "NetworkManager's connections cannot be listed:" << list.errorName();
        return std::nullopt;
    }
    // Every connection is asked at once, so the whole wait stays within the one deadline.
    QList<QDBusPendingCall> settings;
    for (const QString& path : objectPaths(list.arguments().value(0)))
        settings.append(
            bus.asyncCall(methodCall(path, ConnectionInterface, QStringLiteral("GetSettings")), remaining()));
    QStringList names;
    for (QDBusPendingCall& call : settings) {
        call.waitForFinished();
        if (call.isError()
            && (call.error().type() == QDBusError::NoReply || call.error().type() == QDBusError::Timeout)) {
            qCDebug(lcPlatform) << "NetworkManager does not answer:" << call.error().message();
            return std::nullopt;
        }
        // A connection that vanished meanwhile, or that this user may not read, is left out.
        const std::optional<QString> id = connectionId(call.reply());
        if (id && !id->isEmpty())
            names.append(*id);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace chronolien
