#include "platform/linux/ppp_line.h"

#include "platform/linux/sysfs_net.h"

#include <QProcess>
#include <csignal>
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

} // namespace

PppLine::PppLine(QString netFolder, QString runFolder, QString dialCommand, QString procFolder)
    : m_netFolder(std::move(netFolder))
    , m_runFolder(std::move(runFolder))
    , m_dialCommand(std::move(dialCommand))
    , m_procFolder(std::move(procFolder))
{
}

Line::State PppLine::state()
{
    const auto entries = sysfs::listInterfaces(m_netFolder, sysfs::LinkTypePpp);
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
    // A missing dialler is ignored: the next tick asks again when the line is to be kept up.
    process.startDetached();
}

void PppLine::hangUp()
{
    const auto entries = sysfs::listInterfaces(m_netFolder, sysfs::LinkTypePpp);
    if (!entries)
        return;
    for (const sysfs::NetEntry& entry : *entries)
        hangUpInterface(entry.name);
}

void PppLine::hangUpInterface(const QString& name)
{
    const auto line = sysfs::readFirstLine(m_runFolder + u'/' + name + QStringLiteral(".pid"));
    if (!line)
        return;
    const auto pid = sysfs::parseProcessNumber(*line);
    if (!pid || *pid == getpid())
        return;
    const auto comm
        = sysfs::readFirstLine(m_procFolder + u'/' + QString::number(*pid) + QStringLiteral("/comm"));
    if (!comm || *comm != DiallerName)
        return;
    ::kill(pid_t(*pid), SIGTERM);
}

std::optional<Line::Traffic> PppLine::traffic()
{
    const auto entries = sysfs::listInterfaces(m_netFolder, sysfs::LinkTypePpp);
    if (!entries || entries->isEmpty())
        return std::nullopt;
    const QString statistics = m_netFolder + u'/' + entries->first().name + QStringLiteral("/statistics/");
    return Traffic { readCounter(statistics + QStringLiteral("rx_bytes")),
        readCounter(statistics + QStringLiteral("tx_bytes")) };
}

} // namespace chronolien
