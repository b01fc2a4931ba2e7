#pragma once

#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <optional>

class QVariant;

namespace chronolien {

// NetworkManager's names on the system bus, and the few readings shared by the line and the listing.
namespace networkManager {

inline constexpr QLatin1StringView Service { "org.freedesktop.NetworkManager" };
inline constexpr QLatin1StringView ManagerPath { "/org/freedesktop/NetworkManager" };
inline constexpr QLatin1StringView ManagerInterface { "org.freedesktop.NetworkManager" };
inline constexpr QLatin1StringView SettingsPath { "/org/freedesktop/NetworkManager/Settings" };
inline constexpr QLatin1StringView SettingsInterface { "org.freedesktop.NetworkManager.Settings" };
inline constexpr QLatin1StringView ConnectionInterface {
    "org.freedesktop.NetworkManager.Settings.Connection"
};
inline constexpr QLatin1StringView ActiveInterface { "org.freedesktop.NetworkManager.Connection.Active" };
inline constexpr QLatin1StringView DeviceInterface { "org.freedesktop.NetworkManager.Device" };
inline constexpr QLatin1StringView PropertiesInterface { "org.freedesktop.DBus.Properties" };

// An active connection's State.
enum ActiveState : uint { Activating = 1, Activated = 2 };

// A call to NetworkManager that never has the bus start it: a time counter asking about the line
// must not bring the network service up.
QDBusMessage methodCall(const QString& path, const QString& interface, const QString& method);

// The connection's name (its "id") in the answer to GetSettings; nothing in an error or a malformed
// answer.
std::optional<QString> connectionId(const QDBusMessage& getSettingsReply);

// The object paths held by a property value of type "ao" (or "o"), however the bus delivered them.
QStringList objectPaths(const QVariant& value);

} // namespace networkManager
} // namespace chronolien
