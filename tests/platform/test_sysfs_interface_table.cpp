#include "net_tree.h"
#include "platform/linux/sysfs_interface_table.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

class TestSysfsInterfaceTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyInterfaceInIndexOrder()
    {
        NetTree tree;
        tree.addInterface(QStringLiteral("ppp0"), 9, 512, "0x1091", 5'000'000'000ull, 12);
        tree.addInterface(QStringLiteral("lo"), 1, 772, "0x9", 100, 100);
        tree.addInterface(QStringLiteral("eth0"), 2, 1, "0x1003", 7, 8);
        tree.addInterface(QStringLiteral("wg0"), 4, 65534);
        tree.write(QStringLiteral("bonding_masters"), "\n");
        tree.write(QStringLiteral("wg0/statistics/rx_bytes"), "lots\n"); // unreadable counters read 0

        const auto rows = SysfsInterfaceTable(tree.net()).read();
        QVERIFY(rows);
        QCOMPARE(rows->size(), 4);
        const QList<int> types { rows->at(0).type, rows->at(1).type, rows->at(2).type, rows->at(3).type };
        QCOMPARE(types,
            (QList<int> { SysfsInterfaceTable::TypeLoopback, SysfsInterfaceTable::TypeEthernet,
                SysfsInterfaceTable::TypeOther, InterfaceTable::TypePointToPoint }));
        // Counters are 64-bit: a long connection passes 4 GiB.
        QCOMPARE(rows->at(3).receivedBytes, 5'000'000'000ull);
        QCOMPARE(rows->at(3).sentBytes, 12ull);
        QCOMPARE(rows->at(2).receivedBytes, 0ull);

        QVERIFY(!SysfsInterfaceTable(tree.root() + QStringLiteral("/absent")).read());
    }
};

QTEST_GUILESS_MAIN(TestSysfsInterfaceTable)
#include "test_sysfs_interface_table.moc"
