#pragma once

#include "platform/line.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QDBusMessage;
class QDBusObjectPath;

namespace chronolien {

// The line as one NetworkManager connection, chosen by its name (id), driven over NetworkManager's
// D-Bus API. NetworkManager tells what changes through signals, which keep a picture of its
// connections up to date; state() and traffic() read that picture and the interface's counters, so
// the tick never waits for the bus. NetworkManager may be missing, stop, restart or lose the
// connection at any time: the line then reads as down until the connection is active again.
class NetworkManagerLine : public QObject, public Line {
    Q_OBJECT
public:
    // netFolder: the kernel's network interface folder, where the device's counters are read.
    explicit NetworkManagerLine(const QString& connectionId,
        const QString& netFolder = QStringLiteral("/sys/class/net"),
        const QDBusConnection& bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    State state() override;
    // Activates the connection unless it is already active or on its way.
    void dial() override;
    void hangUp() override;
    std::optional<Traffic> traffic() override;

private Q_SLOTS:
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed,
        const QStringList& invalidated, const QDBusMessage& message);
    void onActiveStateChanged(uint state, uint reason, const QDBusMessage& message);
    void onConnectionAdded(const QDBusObjectPath& path);
    void onConnectionRemoved(const QDBusObjectPath& path);
    void onConnectionUpdated(const QDBusMessage& message);

private:
    struct ActiveConnection {
        QString settingsPath;
        uint state = 0;
        QString devicePath;
    };
    struct DeviceNames {
        QString ipInterface; // where IP runs over a link that is not the device itself, as with PPP
        QString interface;
    };

    void subscribe();
    void forget();
    void readEverything();
    void readSettings(const QString& path);
    void setActiveConnections(const QStringList& paths);
    void readActiveConnection(const QString& path);
    static void applyActiveProperties(ActiveConnection& active, const QVariantMap& properties);
    static void applyDeviceProperties(DeviceNames& device, const QVariantMap& properties);
    void readDevice(const QString& path);
    void recompute();
    // Warns of why a dial did nothing, once while the reason stays the same; empty: it worked.
    void reportDialProblem(const QString& problem);
    template <typename OnReply> void callAsync(const QDBusMessage& call, OnReply onReply);
    // A call that reads NetworkManager's state, counted in m_pendingReads.
    template <typename OnReply> void readAsync(const QDBusMessage& call, OnReply onReply);

    const QString m_connectionId;
    const QString m_netFolder;
    QDBusConnection m_bus;
    // Bumped whenever NetworkManager comes or goes: answers from an earlier instance are dropped.
    quint64 m_generation = 0;
    bool m_present = false;
    // Reads under way; a dial asked for meanwhile waits for them to end.
    int m_pendingReads = 0;
    bool m_dialWanted = false;
    QString m_lastDialProblem;
    // The settings objects named m_connectionId (usually one; NetworkManager allows several).
    QSet<QString> m_settingsPaths;
    // Every active connection NetworkManager lists, by object path.
    QHash<QString, ActiveConnection> m_activeConnections;
    // The device of the current active connection, once read.
    QHash<QString, DeviceNames> m_devices;
    State m_state = State::Down;
    // The active connection behind m_state when the line is up or setting up.
    QString m_currentActive;
};

} // namespace chronolien
