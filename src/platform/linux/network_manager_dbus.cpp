#include "platform/linux/network_manager_dbus.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QMap>
#include <QVariant>

namespace chronolien {

namespace networkManager {

QDBusMessage methodCall(const QString& path, const QString& interface, const QString& method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
    message.setAutoStartService(false);
    return message;
}

std::optional<QString> connectionId(const QDBusMessage& getSettingsReply)
{
    if (getSettingsReply.type() != QDBusMessage::ReplyMessage || getSettingsReply.arguments().isEmpty()
        || getSettingsReply.signature() != QLatin1StringView("a{sa{sv}}"))
        return std::nullopt;
    QMap<QString, QVariantMap> settings;
    getSettingsReply.arguments().constFirst().value<QDBusArgument>() >> settings;
    const QVariant id = settings.value(QStringLiteral("connection")).value(QStringLiteral("id"));
    if (id.typeId() != QMetaType::QString)
        return std::nullopt;
    return id.toString();
}

QStringList objectPaths(const QVariant& value)
{
    QStringList paths;
    if (value.typeId() == qMetaTypeId<QDBusObjectPath>()) {
        paths.append(value.value<QDBusObjectPath>().path());
    } else if (value.typeId() == qMetaTypeId<QDBusArgument>()) {
        const QDBusArgument argument = value.value<QDBusArgument>();
        if (argument.currentSignature() == QLatin1StringView("ao")) {
            QList<QDBusObjectPath> list;
            argument >> list;
            for (const QDBusObjectPath& path : std::as_const(list))
                paths.append(path.path());
        }
    } else if (value.typeId() == qMetaTypeId<QList<QDBusObjectPath>>()) {
        for (const QDBusObjectPath& path : value.value<QList<QDBusObjectPath>>())
            paths.append(path.path());
    }
    return paths;
}

} // namespace networkManager
} // namespace chronolien
