#include "platform/linux/link_events.h"

#include "platform/logging.h"

#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace chronolien {

LinkEvents::LinkEvents()
{
    m_fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (m_fd < 0) {
        stopListening("could not open");
        return;
    }
    sockaddr_nl address {};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_LINK;
    if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        stopListening("could not bind");
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drain(); });
}

LinkEvents::~LinkEvents()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LinkEvents::takeChange()
{
    if (m_fd < 0)
        return true;
    const bool changed = m_changed;
    m_changed = false;
    return changed;
}

// What the messages say does not matter: any of them means a change.
void LinkEvents::drain()
{
    char buffer[8192];
    for (;;) {
        const ssize_t size = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (size > 0) {
            m_changed = true;
            continue;
        }
        if (size < 0 && errno == EINTR)
            continue;
        if (size < 0 && errno == ENOBUFS) {
            // Messages were lost to an overflow: something changed.
            m_changed = true;
            continue;
        }
        if (size == 0 || errno == EAGAIN || errno == EWOULDBLOCK)
            return;
        stopListening("lost");
        return;
    }
}

void LinkEvents::stopListening(const char* what)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    qCWarning(lcPlatform).noquote() << QStringLiteral(
        "the interfaces are read every second: %1 the kernel's link events: %2")
                                           .arg(QLatin1String(what), reason);
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace chronolien
