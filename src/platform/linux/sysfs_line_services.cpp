#include "platform/linux/sysfs_line_services.h"

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

} // namespace

SysfsLineServices::SysfsLineServices(
    QString netFolder, QString runFolder, QString dialCommand, QString procFolder)
    : m_netFolder(std::move(netFolder))
    , m_runFolder(std::move(runFolder))
    , m_dialCommand(std::move(dialCommand))
    , m_procFolder(std::move(procFolder))
{
}

LineServices::Enumeration SysfsLineServices::enumerateConnections()
{
    const auto entries = sysfs::listInterfaces(m_netFolder, sysfs::LinkTypePpp);
    if (!entries)
        return { false, {} };
    Enumeration result { true, {} };
    for (const sysfs::NetEntry& entry : *entries) {
        if (entry.linkType == sysfs::LinkTypePpp)
            result.connections.append(entry.name);
    }
    return result;
}

int SysfsLineServices::connectionState(const QString& handle)
{
    if (!sysfs::isPlainName(handle))
        return 0;
    // pppd brings the interface up only once the link carries IP; before that it is being set up.
    qint64 flags = 0;
    if (!sysfs::readNumberFile(m_netFolder + u'/' + handle + QStringLiteral("/flags"), flags))
        return 0;
    return flags >= 0 && (flags & IffUp) ? StateConnected : 0;
}

void SysfsLineServices::dial()
{
    QProcess process;
    process.setProgram(m_dialCommand);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A missing dialler is ignored: the next tick asks again when the line is to be kept up.
    process.startDetached();
}

void SysfsLineServices::hangUp(const QString& handle)
{
    if (!sysfs::isPlainName(handle))
        return;
    const auto line = sysfs::readFirstLine(m_runFolder + u'/' + handle + QStringLiteral(".pid"));
    if (!line)
        return;
    const auto pid = sysfs::parseProcessNumber(*line);
    if (!pid || *pid == getpid())
        return;
    const auto name
        = sysfs::readFirstLine(m_procFolder + u'/' + QString::number(*pid) + QStringLiteral("/comm"));
    if (!name || *name != DiallerName)
        return;
    ::kill(pid_t(*pid), SIGTERM);
}

} // namespace chronolien
