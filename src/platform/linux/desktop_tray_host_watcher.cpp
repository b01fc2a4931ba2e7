#include "platform/linux/desktop_tray_host_watcher.h"

#include "platform/linux/desktop_log.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <cstdlib>
#include <xcb/xcb.h>

namespace chronolien {

namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString WatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
// How long the start may wait for a watcher service that is slow to answer; one that does not
// answer in time counts as having no host until it announces one.
constexpr int StartQueryTimeoutMs = 1000;

QDBusMessage hostRegisteredQuery(const QString& watcherOwner)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherOwner, WatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << WatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
    return get;
}

bool hostRegisteredIn(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCWarning(lcDesktop) << "the StatusNotifierItem watcher did not say whether a tray runs:"
                             << reply.errorMessage();
        return false;
    }
    return qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

xcb_atom_t internAtom(xcb_connection_t* xcb, const QByteArray& name)
{
    xcb_intern_atom_reply_t* reply
        = xcb_intern_atom_reply(xcb, xcb_intern_atom(xcb, false, name.size(), name.constData()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

DesktopTrayHostWatcher::DesktopTrayHostWatcher(const QDBusConnection& bus, QObject* parent)
    : TrayHostWatcher(parent)
    , m_bus(bus)
{
    watchStatusNotifierHost();
    watchXembedTray();
}

bool DesktopTrayHostWatcher::available() const
{
    return m_statusNotifierHost || xembedTrayOwned();
}

void DesktopTrayHostWatcher::watchStatusNotifierHost()
{
    QDBusConnectionInterface* busDaemon = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (!busDaemon) {
        qCWarning(lcDesktop) << "no session bus to look for a tray on:" << m_bus.lastError().message();
        return;
    }
    m_serviceWatcher
        = new QDBusServiceWatcher(WatcherService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_serviceWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& newOwner) { onWatcherOwnerChanged(newOwner); });
    m_bus.connect(WatcherService, WatcherPath, WatcherInterface,
        QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(onHostRegistered()));
    m_bus.connect(WatcherService, WatcherPath, WatcherInterface,
        QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(onHostUnregistered()));

    const QDBusReply<QString> owner = busDaemon->serviceOwner(WatcherService);
    if (!owner.isValid())
        return;
    m_watcherOwner = owner.value();
    m_statusNotifierHost = hostRegisteredIn(
        m_bus.call(hostRegisteredQuery(m_watcherOwner), QDBus::Block, StartQueryTimeoutMs));
}

void DesktopTrayHostWatcher::onWatcherOwnerChanged(const QString& owner)
{
    m_watcherOwner = owner;
    if (owner.isEmpty())
        setStatusNotifierHost(false);
    else
        readHostRegistered();
}

void DesktopTrayHostWatcher::onHostRegistered()
{
    setStatusNotifierHost(true);
}

// Another host may still be registered.
void DesktopTrayHostWatcher::onHostUnregistered()
{
    readHostRegistered();
}

void DesktopTrayHostWatcher::readHostRegistered()
{
    const QString asked = m_watcherOwner;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(hostRegisteredQuery(asked)), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, asked](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (asked == m_watcherOwner)
            setStatusNotifierHost(hostRegisteredIn(call->reply()));
    });
}

void DesktopTrayHostWatcher::setStatusNotifierHost(bool registered)
{
    const bool appeared = registered && !m_statusNotifierHost;
    m_statusNotifierHost = registered;
    if (appeared)
        Q_EMIT hostAppeared();
}

void DesktopTrayHostWatcher::watchXembedTray()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_xcb = x11->connection();
    const int screen = x11->display() ? DefaultScreen(x11->display()) : 0;
    m_traySelection = internAtom(m_xcb, QByteArrayLiteral("_NET_SYSTEM_TRAY_S") + QByteArray::number(screen));
    m_managerAtom = internAtom(m_xcb, QByteArrayLiteral("MANAGER"));
    app->installNativeEventFilter(this);
}

bool DesktopTrayHostWatcher::xembedTrayOwned() const
{
    if (!m_xcb || m_traySelection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply
        = xcb_get_selection_owner_reply(m_xcb, xcb_get_selection_owner(m_xcb, m_traySelection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

// A tray announces itself with a MANAGER message to the root window, which Qt already listens to.
bool DesktopTrayHostWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type == m_managerAtom && client->format == 32 && client->data.data32[1] == m_traySelection)
        Q_EMIT hostAppeared();
    return false;
}

} // namespace chronolien
