#pragma once

#include <QSocketNotifier>
#include <memory>

namespace chronolien {

// The kernel's word that its network interfaces changed (one came, went, or changed its state),
// heard on a routing netlink socket that the event loop watches: between two words, a list of the
// interfaces that found none of a kind still holds, and need not be read again. Where the socket
// cannot be opened, or stops answering, every question is answered "changed".
class LinkEvents {
public:
    LinkEvents();
    ~LinkEvents();
    LinkEvents(const LinkEvents&) = delete;
    LinkEvents& operator=(const LinkEvents&) = delete;

    // Whether the interfaces may have changed since the last call; the first call answers yes.
    bool takeChange();

private:
    void drain();
    void stopListening(const char* what);

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_changed = true;
};

} // namespace chronolien
