#pragma once

#include "platform/interface_table.h"

namespace chronolien::test {

class FakeInterfaceTable final : public InterfaceTable {
public:
    std::optional<QList<Row>> read() override
    {
        ++reads;
        return rows;
    }

    std::optional<QList<Row>> rows = QList<Row> {};
    int reads = 0;
};

} // namespace chronolien::test
