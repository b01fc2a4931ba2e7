#pragma once

#include "platform/tray_host_watcher.h"

namespace chronolien::test {

// A tray that the test starts and stops.
class FakeTrayHostWatcher final : public TrayHostWatcher {
public:
    bool available() const override { return m_available; }
    void setAvailable(bool available)
    {
        const bool appeared = available && !m_available;
        m_available = available;
        if (appeared)
            Q_EMIT hostAppeared();
    }

private:
    bool m_available = false;
};

} // namespace chronolien::test
