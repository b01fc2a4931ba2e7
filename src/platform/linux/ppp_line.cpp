#include "platform/linux/ppp_line.h"

#include "platform/linux/sysfs_net.h"
#include "platform/logging.h"

#include <QFile>
#include <QProcess>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace chronolien {

namespace {

constexpr qint64 IffUp = 0x1;

// The name under which the kernel lists the dialler's process; a pid file that names any other
// process is stale (pppd died and the number went to someone else) and must not be signalled.
constexpr char DiallerName[] = "pppd";

// A counter that cannot be read counts as 0, like an interface that has carried nothing yet.
quint64 readCounter(const QString& path)
{
    const auto line = sysfs::readFirstLine(path);
    if (!line)
        return 0;
    bool ok = false;
    const quint64 value = line->trimmed().toULongLong(&ok, 10);
    return ok ? value : 0;
}

// The first line of pppd's pid file, read only when it is a regular file: a pipe in its place must
// not hold the hang-up, and with it the whole program, until someone writes into it.
std::optional<QByteArray> readPidFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info { };
    char buffer[64];
    ssize_t size = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        do {
            size = ::read(fd, buffer, sizeof buffer);
        } while (size < 0 && errno == EINTR);
    }
    ::close(fd);
    if (size < 0)
        return std::nullopt;
    const QByteArray text(buffer, qsizetype(size));
    const qsizetype end = text.indexOf('\n');
    return end >= 0 ? text.left(end) : text;
}

} // namespace

PppLine::PppLine(std::unique_ptr<LinkEvents> events, QString netFolder, QString runFolder,
    QString dialCommand, QString procFolder)
    : m_events(std::move(events))
    , m_netFolder(std::move(netFolder))
    , m_interfaces(m_netFolder, sysfs::LinkTypePpp, m_events.get())
    , m_runFolder(std::move(runFolder))
    , m_dialCommand(std::move(dialCommand))
    , m_procFolder(std::move(procFolder))
{
}

Line::State PppLine::state()
{
    const auto entries = m_interfaces.list();
    if (!entries || entries->isEmpty())
        return State::Down;
    // pppd brings the interface up only once the link carries IP; before that it is being set up.
    qint64 flags = 0;
    if (!sysfs::readNumberFile(m_netFolder + u'/' + entries->first().name + QStringLiteral("/flags"), flags))
        return State::SettingUp;
    return flags >= 0 && (flags & IffUp) ? State::Up : State::SettingUp;
}

void PppLine::dial()
{
    QProcess process;
    process.setProgram(m_dialCommand);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A missing dialler is only logged: the next tick asks again when the line is to be kept up.
    if (process.startDetached())
        m_lastDialWarning.clear();
    else
        warnOnce(m_lastDialWarning,
            QStringLiteral("could not dial: %1 did not start: %2").arg(m_dialCommand, process.errorString()));
}

void PppLine::hangUp()
{
    const auto entries = m_interfaces.list();
    if (!entries)
        return;
    for (const sysfs::NetEntry& entry : *entries)
        hangUpInterface(entry.name);
}

void PppLine::hangUpInterface(const QString& name)
{
    const QString pidFile = m_runFolder + u'/' + name + QStringLiteral(".pid");
    const auto line = readPidFile(pidFile);
    const auto pid = line ? sysfs::parseProcessNumber(*line) : std::nullopt;
    if (!pid || *pid == getpid()) {
        warnOnce(m_lastHangUpWarning,
            QStringLiteral("could not hang up %1: %2 names no process of pppd").arg(name, pidFile));
        return;
    }
    const auto comm
        = sysfs::readFirstLine(m_procFolder + u'/' + QString::number(*pid) + QStringLiteral("/comm"));
    if (!comm || *comm != DiallerName) {
        warnOnce(m_lastHangUpWarning,
            QStringLiteral("could not hang up %1: process %2 is not pppd").arg(name).arg(*pid));
        return;
    }
    if (::kill(pid_t(*pid), SIGTERM) != 0) {
        warnOnce(m_lastHangUpWarning,
            QStringLiteral("could not hang up %1: pppd %2 refused the signal: %3")
                .arg(name)
                .arg(*pid)
                .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    m_lastHangUpWarning.clear();
}

void PppLine::warnOnce(QString& lastWarning, const QString& warning)
{
    if (warning == lastWarning)
        return;
    lastWarning = warning;
    qCWarning(lcPlatform).noquote() << warning;
}

std::optional<Line::Traffic> PppLine::traffic()
{
    const auto entries = m_interfaces.list();
    if (!entries || entries->isEmpty())
        return std::nullopt;
    const QString statistics = m_netFolder + u'/' + entries->first().name + QStringLiteral("/statistics/");
    return Traffic { readCounter(statistics + QStringLiteral("rx_bytes")),
        readCounter(statistics + QStringLiteral("tx_bytes")) };
}

} // namespace chronolien
