#include "xvfb_display.h"

#include <QByteArray>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace chronolien::test {

namespace {

// The display number Xvfb writes once it accepts connections, or empty after the timeout.
QByteArray readDisplayNumber(int fd, int timeoutMs)
{
    QByteArray number;
    pollfd watch { fd, POLLIN, 0 };
    while (poll(&watch, 1, timeoutMs) > 0) {
        char c = 0;
        const ssize_t got = read(fd, &c, 1);
        if (got <= 0)
            break;
        if (c == '\n')
            return number;
        number.append(c);
    }
    return {};
}

} // namespace

XvfbDisplay::XvfbDisplay()
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        m_failure = QStringLiteral("no pipe to start Xvfb");
        return;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        m_failure = QStringLiteral("cannot fork to start Xvfb");
        close(pipeFds[0]);
        close(pipeFds[1]);
        return;
    }
    if (pid == 0) {
        close(pipeFds[0]);
        const int quiet = open("/dev/null", O_RDWR);
        dup2(quiet, STDIN_FILENO);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const QByteArray fd = QByteArray::number(pipeFds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1024x768x24", "-nolisten",
            "tcp", "-br", "-nolock", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    const QByteArray number = readDisplayNumber(pipeFds[0], 10000);
    close(pipeFds[0]);
    if (number.isEmpty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        m_failure = QStringLiteral("Xvfb could not be started (is the xvfb package installed?)");
        return;
    }
    m_pid = pid;
    m_display = QStringLiteral(":") + QString::fromLatin1(number);
}

XvfbDisplay::~XvfbDisplay()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
}

} // namespace chronolien::test
