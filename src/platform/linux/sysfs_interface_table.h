#pragma once

#include "platform/interface_table.h"

#include <QString>

namespace chronolien {

// The interface table on Linux: every entry of the kernel's network folder with its byte counters.
class SysfsInterfaceTable final : public InterfaceTable {
public:
    // Interface types as the table reports them; PPP links are the point-to-point type.
    static constexpr int TypeOther = 1;
    static constexpr int TypeEthernet = 6;
    static constexpr int TypeLoopback = 24;

    explicit SysfsInterfaceTable(QString netFolder = QStringLiteral("/sys/class/net"));

    std::optional<QList<Row>> read() override;

    // The table's type for a kernel link type (ARPHRD_*).
    static int tableType(int linkType);

private:
    QString m_netFolder;
};

} // namespace chronolien
