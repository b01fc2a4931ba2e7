#pragma once

#include <QString>
#include <sys/types.h>

namespace chronolien::test {

// A private X server for the tests that need a real one (window outlines, real pointer events):
// started before the application object, pointed at by DISPLAY, stopped at the end of the test.
class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool isRunning() const { return m_pid > 0; }
    // Why there is no server, for the tests to say when they skip.
    const QString& failure() const { return m_failure; }
    // ":<number>"
    const QString& display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QString m_display;
    QString m_failure;
};

} // namespace chronolien::test

// The main() of a test that wants a real X server: it starts one, selects the X platform when it
// runs (offscreen otherwise, where the test skips what needs X), gives the test a private runtime
// folder and hands the server to the test object's constructor.
#define CHRONOLIEN_XVFB_TEST_MAIN(TestObject)                                                                \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir runtime;                                                                               \
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());                                            \
        chronolien::test::XvfbDisplay server;                                                                \
        if (server.isRunning()) {                                                                            \
            qputenv("DISPLAY", server.display().toLatin1());                                                 \
            qputenv("QT_QPA_PLATFORM", "xcb");                                                               \
        } else {                                                                                             \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        }                                                                                                    \
        QApplication app(argc, argv);                                                                        \
        TestObject test(server);                                                                             \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
