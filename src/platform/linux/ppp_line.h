#pragma once

#include "platform/line.h"
#include "platform/linux/link_events.h"
#include "platform/linux/sysfs_net.h"

#include <QString>
#include <memory>

namespace chronolien {

// The dial-up line on Linux: the PPP interfaces of the kernel's network folder, pppd's pid files,
// and the command that dials the default peer. The line is the first PPP interface in index order:
// up once pppd has brought it up (the link carries IP), being set up while it exists but is not
// up, down when there is none or the folder cannot be listed.
class PppLine final : public Line {
public:
    // events: the kernel's link events for netFolder, so that a down line reads nothing until an
    // interface comes (null: the folder is listed at every question). netFolder: /sys/class/net;
    // runFolder: where pppd writes <interface>.pid; dialCommand: pon; procFolder: /proc, where the
    // process that a pid file names is checked to be pppd.
    explicit PppLine(std::unique_ptr<LinkEvents> events, QString netFolder = QStringLiteral("/sys/class/net"),
        QString runFolder = QStringLiteral("/run"), QString dialCommand = QStringLiteral("pon"),
        QString procFolder = QStringLiteral("/proc"));

    State state() override;
    // Starts the dial command detached; a missing one is ignored.
    void dial() override;
    // Sends pppd of every PPP interface the signal to end.
    void hangUp() override;
    // The counters of the first PPP interface, up or not; a counter that cannot be read counts 0.
    std::optional<Traffic> traffic() override;

private:
    void hangUpInterface(const QString& name);
    // Logs a failure of dialling or hanging up unless it is the one logged last: the tick dials
    // every second while the line is to be kept up, and the forced hang-up repeats until the line
    // drops.
    void warnOnce(QString& lastWarning, const QString& warning);

    std::unique_ptr<LinkEvents> m_events;
    QString m_netFolder;
    sysfs::InterfaceList m_interfaces;
    QString m_runFolder;
    QString m_dialCommand;
    QString m_procFolder;
    QString m_lastDialWarning;
    QString m_lastHangUpWarning;
};

} // namespace chronolien
