#pragma once

#include "support/file_bytes.h"

#include <QDir>
#include <QTemporaryDir>

namespace chronolien::test {

// A folder laid out like the kernel's network folder, with pppd's run folder and a process folder
// beside it, for the line services to read instead of the machine's own.
class NetTree {
public:
    NetTree()
    {
        for (const char* folder : { "net", "run", "proc" })
            QDir(m_dir.path()).mkpath(QLatin1String(folder));
    }

    QString root() const { return m_dir.path(); }
    QString net() const { return m_dir.filePath(QStringLiteral("net")); }
    QString run() const { return m_dir.filePath(QStringLiteral("run")); }
    QString proc() const { return m_dir.filePath(QStringLiteral("proc")); }

    // An interface as the kernel shows it: ifindex, type (a link type: 512 for PPP), flags in hex.
    void addInterface(const QString& name, int ifindex, int linkType, const QByteArray& flags = "0x1091",
        quint64 rx = 0, quint64 tx = 0)
    {
        QDir(net()).mkpath(name + QStringLiteral("/statistics"));
        write(name + QStringLiteral("/ifindex"), QByteArray::number(ifindex) + '\n');
        write(name + QStringLiteral("/type"), QByteArray::number(linkType) + '\n');
        write(name + QStringLiteral("/flags"), flags + '\n');
        write(name + QStringLiteral("/statistics/rx_bytes"), QByteArray::number(rx) + '\n');
        write(name + QStringLiteral("/statistics/tx_bytes"), QByteArray::number(tx) + '\n');
    }
    void write(const QString& relativeToNet, const QByteArray& bytes) const
    {
        writeFileBytes(net() + u'/' + relativeToNet, bytes);
    }
    void removeInterface(const QString& name) const { QDir(net() + u'/' + name).removeRecursively(); }

    void writePidFile(const QString& interface, const QByteArray& bytes) const
    {
        writeFileBytes(run() + u'/' + interface + QStringLiteral(".pid"), bytes);
    }
    // What the process folder says the program of a process number is.
    void setProcessName(qint64 pid, const QByteArray& name) const
    {
        const QString folder = proc() + u'/' + QString::number(pid);
        QDir().mkpath(folder);
        writeFileBytes(folder + QStringLiteral("/comm"), name + '\n');
    }

private:
    QTemporaryDir m_dir;
};

} // namespace chronolien::test
