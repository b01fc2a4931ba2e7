#pragma once

#include <QString>
#include <sys/types.h>

namespace chronolien::test {

// A private X server, started before the application object, which DISPLAY then points at.
class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool isRunning() const { return m_pid > 0; }
    // Why there is no server, for the tests to say when they skip.
    const QString& failure() const { return m_failure; }
    const QString& display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QString m_display;
    QString m_failure;
};

} // namespace chronolien::test
