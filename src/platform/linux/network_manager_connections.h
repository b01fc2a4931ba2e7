#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <chrono>
#include <optional>

namespace chronolien {

// The names (ids) of NetworkManager's connections, each once, sorted without regard to case, for
// the user to choose a line from. Nothing when NetworkManager is not available: not running, not
// answering within the time given, or no system bus. Waits at most about that long, so that a
// dialog asking for it never hangs.
std::optional<QStringList> networkManagerConnectionNames(
    const QDBusConnection& bus = QDBusConnection::systemBus(),
    std::chrono::milliseconds timeout = std::chrono::milliseconds(1500));

} // namespace chronolien
