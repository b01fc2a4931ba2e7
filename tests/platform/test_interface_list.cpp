#include "net_tree.h"
#include "platform/linux/sysfs_net.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QStringList pppNames(sysfs::InterfaceList& list)
{
    QStringList names;
    for (const sysfs::NetEntry& entry : list.list().value_or(QList<sysfs::NetEntry>()))
        names.append(entry.name);
    return names;
}

} // namespace

class TestInterfaceList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Listed every second, the folder's interfaces are followed as they come and go, while the index
    // and type of one that stays are read once.
    void followsInterfacesReadingEachOnce()
    {
        NetTree tree;
        tree.addInterface(QStringLiteral("eth0"), 2, 1);
        tree.addInterface(QStringLiteral("ppp0"), 9, 512);
        sysfs::InterfaceList list(tree.net(), sysfs::LinkTypePpp);
        QCOMPARE(pppNames(list), QStringList { QStringLiteral("ppp0") });

        tree.write(QStringLiteral("eth0/type"), "512\n");
        tree.write(QStringLiteral("ppp0/type"), "1\n");
        QCOMPARE(pppNames(list), QStringList { QStringLiteral("ppp0") });

        // Gone and back under its name, as the kernel does it: a new entry (another inode number),
        // here with another index, which puts it after a newcomer.
        tree.addInterface(QStringLiteral("ppp1"), 5, 512);
        tree.addInterface(QStringLiteral("ppp0.new"), 7, 512);
        tree.removeInterface(QStringLiteral("ppp0"));
        QVERIFY(QDir(tree.net()).rename(QStringLiteral("ppp0.new"), QStringLiteral("ppp0")));
        QCOMPARE(pppNames(list), (QStringList { QStringLiteral("ppp1"), QStringLiteral("ppp0") }));

        tree.removeInterface(QStringLiteral("ppp1"));
        QCOMPARE(pppNames(list), QStringList { QStringLiteral("ppp0") });
    }
};

QTEST_GUILESS_MAIN(TestInterfaceList)
#include "test_interface_list.moc"
