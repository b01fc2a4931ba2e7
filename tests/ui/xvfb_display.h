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

// A main() that starts the X server before the application object, which then takes the X platform
// (offscreen when there is none, where the tests that need one skip), and builds the test object on it.
#define CHRONOLIEN_XVFB_MAIN(TestObject)                                                                     \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir runtime;                                                                               \
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());                                            \
        const chronolien::test::XvfbDisplay server;                                                          \
        qputenv("DISPLAY", server.display().toLatin1());                                                     \
        qputenv("QT_QPA_PLATFORM", server.isRunning() ? "xcb" : "offscreen");                                \
        QApplication app(argc, argv);                                                                        \
        TestObject test(server);                                                                             \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
