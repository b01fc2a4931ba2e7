#pragma once

#include "platform/line_services.h"

namespace chronolien {

// The dial-up line on Linux: the PPP interfaces of the kernel's network folder, pppd's pid files,
// and the command that dials the default peer.
class SysfsLineServices final : public LineServices {
public:
    // netFolder: /sys/class/net; runFolder: where pppd writes <interface>.pid; dialCommand: pon;
    // procFolder: /proc, where the process that a pid file names is checked to be pppd.
    SysfsLineServices(QString netFolder = QStringLiteral("/sys/class/net"),
        QString runFolder = QStringLiteral("/run"), QString dialCommand = QStringLiteral("pon"),
        QString procFolder = QStringLiteral("/proc"));

    Enumeration enumerateConnections() override;
    int connectionState(const QString& handle) override;
    void dial() override;
    void hangUp(const QString& handle) override;

private:
    QString m_netFolder;
    QString m_runFolder;
    QString m_dialCommand;
    QString m_procFolder;
};

} // namespace chronolien
