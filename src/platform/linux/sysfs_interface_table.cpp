#include "platform/linux/sysfs_interface_table.h"

#include "platform/linux/sysfs_net.h"

namespace chronolien {

namespace {

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

SysfsInterfaceTable::SysfsInterfaceTable(QString netFolder)
    : m_netFolder(std::move(netFolder))
{
}

int SysfsInterfaceTable::tableType(int linkType)
{
    switch (linkType) {
    case sysfs::LinkTypePpp:
        return TypePointToPoint;
    case 1: // ARPHRD_ETHER
        return TypeEthernet;
    case 772: // ARPHRD_LOOPBACK
        return TypeLoopback;
    default:
        return TypeOther;
    }
}

std::optional<QList<InterfaceTable::Row>> SysfsInterfaceTable::read()
{
    const auto entries = sysfs::listInterfaces(m_netFolder);
    if (!entries)
        return std::nullopt;
    QList<Row> rows;
    rows.reserve(entries->size());
    for (const sysfs::NetEntry& entry : *entries) {
        const QString statistics = m_netFolder + u'/' + entry.name + QStringLiteral("/statistics/");
        rows.append({ tableType(entry.linkType), readCounter(statistics + QStringLiteral("rx_bytes")),
            readCounter(statistics + QStringLiteral("tx_bytes")) });
    }
    return rows;
}

} // namespace chronolien
