#include "xvfb_display.h"

#include <QByteArray>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace chronolien::test {

XvfbDisplay::XvfbDisplay()
{
    int pipeFds[2];
    const pid_t pid = pipe(pipeFds) == 0 ? fork() : -1;
    if (pid == 0) {
        close(pipeFds[0]);
        const int quiet = open("/dev/null", O_RDWR);
        for (const int fd : { STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO })
            dup2(quiet, fd);
        const QByteArray fd = QByteArray::number(pipeFds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1024x768x24", "-nolisten",
            "tcp", "-br", "-nolock", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) {
        m_failure = QStringLiteral("cannot start Xvfb");
        return;
    }
    // Xvfb writes its display number once it accepts connections; it closes the pipe when it fails.
    close(pipeFds[1]);
    QByteArray number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number.append(c);
    close(pipeFds[0]);
    if (c != '\n' || number.isEmpty()) {
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
