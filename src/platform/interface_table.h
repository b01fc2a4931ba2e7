#pragma once

#include <QList>
#include <optional>

namespace chronolien {

// The system's network interface table, read for the throughput lights.
class InterfaceTable {
public:
    static constexpr int TypePointToPoint = 23;

    struct Row {
        int type = 0;
        quint64 receivedBytes = 0;
        quint64 sentBytes = 0;
    };

    virtual ~InterfaceTable() = default;
    // Every interface in ascending index order; nothing when the table cannot be read.
    virtual std::optional<QList<Row>> read() = 0;
};

} // namespace chronolien
