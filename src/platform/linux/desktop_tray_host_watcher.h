#pragma once

#include "platform/tray_host_watcher.h"

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>

class QDBusServiceWatcher;
struct xcb_connection_t;

namespace chronolien {

// The trays of today's desktops: a StatusNotifierItem host (Plasma, GNOME's AppIndicator extension
// and most panels), known to the watcher service on the session bus; and, when the program runs on
// X11, an XEmbed tray, the owner of the screen's tray selection.
class DesktopTrayHostWatcher final : public TrayHostWatcher, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Reads the state at once, so that the program can decide at start whether it has a tray. Made
    // after the application object, whose X connection it shares.
    explicit DesktopTrayHostWatcher(
        const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    bool available() const override;

private Q_SLOTS:
    void onHostRegistered();
    void onHostUnregistered();

private:
    void watchStatusNotifierHost();
    void watchXembedTray();
    void onWatcherOwnerChanged(const QString& owner);
    void readHostRegistered();
    void setStatusNotifierHost(bool registered);
    bool xembedTrayOwned() const;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    QDBusConnection m_bus;
    QDBusServiceWatcher* m_serviceWatcher = nullptr;
    // The unique bus name of the running watcher service; replies from an earlier one are stale.
    QString m_watcherOwner;
    bool m_statusNotifierHost = false;

    xcb_connection_t* m_xcb = nullptr;
    quint32 m_traySelection = 0;
    quint32 m_managerAtom = 0;
};

} // namespace chronolien
