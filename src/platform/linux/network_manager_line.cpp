#include "platform/linux/network_manager_line.h"

#include "platform/linux/network_manager_dbus.h"
#include "platform/linux/sysfs_net.h"
#include "platform/logging.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <algorithm>

namespace chronolien {

using namespace networkManager;

namespace {

// False for an error answer, which is logged: NetworkManager being absent is expected and only
// noted for debugging, anything else is a warning.
bool answered(const QDBusMessage& reply, const char* what)
{
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    const QString error = reply.errorName();
    if (error == QLatin1StringView("org.freedesktop.DBus.Error.ServiceUnknown")
        || error == QLatin1StringView("org.freedesktop.DBus.Error.NameHasNoOwner"))
        qCDebug(lcPlatform) << "NetworkManager is not running:" << what;
    else
        qCWarning(lcPlatform).noquote() << "NetworkManager:" << what << "failed:" << error
                                    << reply.errorMessage();
    return false;
}

QVariantMap propertyMap(const QDBusMessage& getAllReply)
{
    return qdbus_cast<QVariantMap>(getAllReply.arguments().value(0));
}

Line::State lineState(uint activeState)
{
    switch (activeState) {
    case Activated:
        return Line::State::Up;
    case Activating:
        return Line::State::SettingUp;
    default:
        return Line::State::Down;
    }
}

} // namespace

NetworkManagerLine::NetworkManagerLine(
    const QString& connectionId, const QString& netFolder, const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_connectionId(connectionId)
    , m_netFolder(netFolder)
    , m_bus(bus)
{
    subscribe();
    readEverything();
}

template <typename OnReply> void NetworkManagerLine::callAsync(const QDBusMessage& call, OnReply onReply)
{
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, generation = m_generation, onReply](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            if (generation == m_generation)
                onReply(finished->reply());
        });
}

template <typename OnReply> void NetworkManagerLine::readAsync(const QDBusMessage& call, OnReply onReply)
{
    ++m_pendingReads;
    callAsync(call, [this, onReply](const QDBusMessage& reply) {
        onReply(reply);
        // The reads a reply starts are counted before this one ends: at zero, the picture is whole.
        if (--m_pendingReads == 0 && m_dialWanted) {
            m_dialWanted = false;
            dial();
        }
    });
}

void NetworkManagerLine::subscribe()
{
    if (!m_bus.isConnected()) {
        qCWarning(lcPlatform) << "No system bus: the NetworkManager line stays down";
        return;
    }
    // A restart leaves nothing of what was known: the old instance's objects are gone.
    auto* watcher = new QDBusServiceWatcher(Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& newOwner) {
            forget();
            if (!newOwner.isEmpty())
                readEverything();
        });

    // Property changes are matched on their interface by the bus, so that the statistics and
    // address changes of other objects never wake the program.
    const char* propertiesSlot = SLOT(onPropertiesChanged(QString, QVariantMap, QStringList, QDBusMessage));
    const QString changed = QStringLiteral("PropertiesChanged");
    const bool subscribed = m_bus.connect(Service, ManagerPath, PropertiesInterface, changed,
                                { ManagerInterface }, QString(), this, propertiesSlot)
        && m_bus.connect(Service, QString(), PropertiesInterface, changed, { ActiveInterface }, QString(),
            this, propertiesSlot)
        && m_bus.connect(Service, QString(), PropertiesInterface, changed, { DeviceInterface }, QString(),
            this, propertiesSlot)
        && m_bus.connect(Service, QString(), ActiveInterface, QStringLiteral("StateChanged"), this,
            SLOT(onActiveStateChanged(uint, uint, QDBusMessage)))
        && m_bus.connect(Service, SettingsPath, SettingsInterface, QStringLiteral("NewConnection"), this,
            SLOT(onConnectionAdded(QDBusObjectPath)))
        && m_bus.connect(Service, SettingsPath, SettingsInterface, QStringLiteral("ConnectionRemoved"), this,
            SLOT(onConnectionRemoved(QDBusObjectPath)))
        && m_bus.connect(Service, QString(), ConnectionInterface, QStringLiteral("Updated"), this,
            SLOT(onConnectionUpdated(QDBusMessage)));
    if (!subscribed)
        qCWarning(lcPlatform) << "Cannot follow NetworkManager's signals:" << m_bus.lastError().message();
}

void NetworkManagerLine::forget()
{
    ++m_generation;
    m_pendingReads = 0;
    if (m_dialWanted)
        qCWarning(lcPlatform) << "NetworkManager left before" << m_connectionId << "could be activated";
    m_dialWanted = false;
    m_present = false;
    m_settingsPaths.clear();
    m_activeConnections.clear();
    m_devices.clear();
    recompute();
}

void NetworkManagerLine::readEverything()
{
    readAsync(methodCall(SettingsPath, SettingsInterface, QStringLiteral("ListConnections")),
        [this](const QDBusMessage& reply) {
            if (!answered(reply, "listing the connections"))
                return;
            m_present = true;
            for (const QString& path : objectPaths(reply.arguments().value(0)))
                readSettings(path);
        });
    QDBusMessage get = methodCall(ManagerPath, PropertiesInterface, QStringLiteral("Get"));
    get << QString(ManagerInterface) << QStringLiteral("ActiveConnections");
    readAsync(get, [this](const QDBusMessage& reply) {
        if (answered(reply, "reading the active connections"))
            setActiveConnections(objectPaths(reply.arguments().value(0).value<QDBusVariant>().variant()));
    });
}

void NetworkManagerLine::readSettings(const QString& path)
{
    readAsync(methodCall(path, ConnectionInterface, QStringLiteral("GetSettings")),
        [this, path](const QDBusMessage& reply) {
            // A connection that vanished meanwhile answers with an error: it is no longer ours either.
            const std::optional<QString> id
                = answered(reply, "reading a connection's settings") ? connectionId(reply) : std::nullopt;
            if (id == m_connectionId)
                m_settingsPaths.insert(path);
            else
                m_settingsPaths.remove(path);
            recompute();
        });
}

void NetworkManagerLine::setActiveConnections(const QStringList& paths)
{
    const QSet<QString> listed(paths.cbegin(), paths.cend());
    m_activeConnections.removeIf([&listed](const auto& entry) { return !listed.contains(entry.key()); });
    for (const QString& path : paths) {
        if (!m_activeConnections.contains(path)) {
            m_activeConnections.insert(path, {});
            readActiveConnection(path);
        }
    }
    recompute();
}

void NetworkManagerLine::readActiveConnection(const QString& path)
{
    QDBusMessage getAll = methodCall(path, PropertiesInterface, QStringLiteral("GetAll"));
    getAll << QString(ActiveInterface);
    readAsync(getAll, [this, path](const QDBusMessage& reply) {
        const auto active = m_activeConnections.find(path);
        if (active == m_activeConnections.end() || !answered(reply, "reading an active connection"))
            return;
        applyActiveProperties(*active, propertyMap(reply));
        recompute();
    });
}

void NetworkManagerLine::applyActiveProperties(ActiveConnection& active, const QVariantMap& properties)
{
    if (properties.contains(QStringLiteral("Connection")))
        active.settingsPath = objectPaths(properties.value(QStringLiteral("Connection"))).value(0);
    if (properties.contains(QStringLiteral("State")))
        active.state = properties.value(QStringLiteral("State")).toUInt();
    if (properties.contains(QStringLiteral("Devices")))
        active.devicePath = objectPaths(properties.value(QStringLiteral("Devices"))).value(0);
}

void NetworkManagerLine::applyDeviceProperties(DeviceNames& device, const QVariantMap& properties)
{
    if (properties.contains(QStringLiteral("IpInterface")))
        device.ipInterface = properties.value(QStringLiteral("IpInterface")).toString();
    if (properties.contains(QStringLiteral("Interface")))
        device.interface = properties.value(QStringLiteral("Interface")).toString();
}

void NetworkManagerLine::readDevice(const QString& path)
{
    QDBusMessage getAll = methodCall(path, PropertiesInterface, QStringLiteral("GetAll"));
    getAll << QString(DeviceInterface);
    readAsync(getAll, [this, path](const QDBusMessage& reply) {
        const auto device = m_devices.find(path);
        if (device != m_devices.end() && answered(reply, "reading a device"))
            applyDeviceProperties(*device, propertyMap(reply));
    });
}

void NetworkManagerLine::onPropertiesChanged(
    const QString& interface, const QVariantMap& changed, const QStringList&, const QDBusMessage& message)
{
    const QString path = message.path();
    if (interface == ManagerInterface && path == ManagerPath) {
        if (changed.contains(QStringLiteral("ActiveConnections")))
            setActiveConnections(objectPaths(changed.value(QStringLiteral("ActiveConnections"))));
    } else if (interface == ActiveInterface) {
        const auto active = m_activeConnections.find(path);
        if (active != m_activeConnections.end()) {
            applyActiveProperties(*active, changed);
            recompute();
        }
    } else if (interface == DeviceInterface) {
        const auto device = m_devices.find(path);
        if (device != m_devices.end())
            applyDeviceProperties(*device, changed);
    }
}

void NetworkManagerLine::onActiveStateChanged(uint state, uint, const QDBusMessage& message)
{
    const auto active = m_activeConnections.find(message.path());
    if (active == m_activeConnections.end())
        return;
    active->state = state;
    recompute();
}

void NetworkManagerLine::onConnectionAdded(const QDBusObjectPath& path)
{
    readSettings(path.path());
}

void NetworkManagerLine::onConnectionRemoved(const QDBusObjectPath& path)
{
    m_settingsPaths.remove(path.path());
    recompute();
}

// A renamed connection: it may have become ours, or stopped being ours.
void NetworkManagerLine::onConnectionUpdated(const QDBusMessage& message)
{
    readSettings(message.path());
}

void NetworkManagerLine::recompute()
{
    State best = State::Down;
    QString current;
    for (auto active = m_activeConnections.cbegin(); active != m_activeConnections.cend(); ++active) {
        if (!m_settingsPaths.contains(active->settingsPath))
            continue;
        const State state = lineState(active->state);
        if (int(state) > int(best)) {
            best = state;
            current = active.key();
        }
    }
    if (best != m_state)
        qCDebug(lcPlatform) << "NetworkManager connection" << m_connectionId << "now" << int(best);
    m_state = best;
    m_currentActive = current;

    const QString devicePath = current.isEmpty() ? QString() : m_activeConnections.value(current).devicePath;
    m_devices.removeIf([&devicePath](const auto& entry) { return entry.key() != devicePath; });
    if (!devicePath.isEmpty() && devicePath != QLatin1StringView("/") && !m_devices.contains(devicePath)) {
        m_devices.insert(devicePath, {});
        readDevice(devicePath);
    }
}

Line::State NetworkManagerLine::state()
{
    return m_state;
}

void NetworkManagerLine::dial()
{
    // Dialled while NetworkManager is still being read (the program's first seconds, or just after
    // NetworkManager started): the connection may be unknown yet, or already up.
    if (m_pendingReads > 0) {
        m_dialWanted = true;
        return;
    }
    if (m_state != State::Down)
        return;
    if (m_settingsPaths.isEmpty()) {
        reportDialProblem(
            (m_present ? QStringLiteral("NetworkManager has no connection named \"%1\"")
                       : QStringLiteral("NetworkManager is not running: cannot activate \"%1\""))
                .arg(m_connectionId));
        return;
    }
    // Several connections may share the name; any of them is the user's choice, the same one each time.
    QStringList paths = m_settingsPaths.values();
    std::sort(paths.begin(), paths.end());
    QDBusMessage activate = methodCall(ManagerPath, ManagerInterface, QStringLiteral("ActivateConnection"));
    activate << QVariant::fromValue(QDBusObjectPath(paths.constFirst()))
             << QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))
             << QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")));
    callAsync(activate, [this](const QDBusMessage& reply) {
        reportDialProblem(reply.type() == QDBusMessage::ReplyMessage
                ? QString()
                : QStringLiteral("Activating \"%1\" failed: %2").arg(m_connectionId, reply.errorMessage()));
    });
}

void NetworkManagerLine::reportDialProblem(const QString& problem)
{
    // The permanent connection redials a line that cannot come up again and again: its reason is
    // told once, until it changes.
    if (!problem.isEmpty() && problem != m_lastDialProblem)
        qCWarning(lcPlatform).noquote() << problem;
    m_lastDialProblem = problem;
}

void NetworkManagerLine::hangUp()
{
    if (m_currentActive.isEmpty())
        return;
    QDBusMessage deactivate
        = methodCall(ManagerPath, ManagerInterface, QStringLiteral("DeactivateConnection"));
    deactivate << QVariant::fromValue(QDBusObjectPath(m_currentActive));
    callAsync(deactivate, [](const QDBusMessage& reply) { answered(reply, "deactivating the connection"); });
}

std::optional<Line::Traffic> NetworkManagerLine::traffic()
{
    if (m_currentActive.isEmpty())
        return std::nullopt;
    const auto device = m_devices.constFind(m_activeConnections.value(m_currentActive).devicePath);
    if (device == m_devices.cend())
        return std::nullopt;
    const QString name = device->ipInterface.isEmpty() ? device->interface : device->ipInterface;
    if (!sysfs::isPlainName(name))
        return std::nullopt;
    const QString statistics = m_netFolder + u'/' + name + QStringLiteral("/statistics/");
    qint64 received = 0;
    qint64 sent = 0;
    if (!sysfs::readNumberFile(statistics + QStringLiteral("rx_bytes"), received)
        || !sysfs::readNumberFile(statistics + QStringLiteral("tx_bytes"), sent) || received < 0 || sent < 0)
        return std::nullopt;
    return Traffic { quint64(received), quint64(sent) };
}

} // namespace chronolien
