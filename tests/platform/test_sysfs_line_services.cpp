#include "net_tree.h"
#include "platform/linux/sysfs_line_services.h"
#include "platform/linux/sysfs_net.h"

#include <QProcess>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

SysfsLineServices lineOver(
    const NetTree& tree, const QString& dialCommand = QStringLiteral("/nonexistent/pon"))
{
    return SysfsLineServices(tree.net(), tree.run(), dialCommand, tree.proc());
}

// A process that stands for pppd until the test ends or someone signals it.
struct StandInDialler {
    QProcess process;
    StandInDialler()
    {
        process.start(QStringLiteral("sleep"), { QStringLiteral("30") });
        process.waitForStarted();
    }
    ~StandInDialler()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    qint64 pid() const { return process.processId(); }
};

} // namespace

class TestSysfsLineServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsPppInterfacesByIndex()
    {
        NetTree tree;
        tree.addInterface(QStringLiteral("lo"), 1, 772);
        tree.addInterface(QStringLiteral("eth0"), 2, 1);
        tree.addInterface(QStringLiteral("ppp1"), 7, 512);
        tree.addInterface(QStringLiteral("ppp0"), 12, 512);
        tree.addInterface(QStringLiteral("ppp2"), 3, 512);
        // Entries that are not interfaces, or half gone: skipped, never fatal.
        tree.write(QStringLiteral("bonding_masters"), "\n");
        QDir(tree.net()).mkdir(QStringLiteral("junk"));
        tree.write(QStringLiteral("junk/type"), "ppp\n");
        tree.write(QStringLiteral("junk/ifindex"), "\xff\xfe\n");
        QDir(tree.net()).mkdir(QStringLiteral("noindex"));
        tree.write(QStringLiteral("noindex/type"), "512\n");

        const auto active = lineOver(tree).enumerateConnections();
        QVERIFY(active.ok);
        QCOMPARE(active.connections,
            (QStringList { QStringLiteral("ppp2"), QStringLiteral("ppp1"), QStringLiteral("ppp0") }));
    }

    void folderThatCannotBeListedIsAnError()
    {
        NetTree tree;
        writeFileBytes(tree.root() + QStringLiteral("/plainfile"), "x");
        QVERIFY(!SysfsLineServices(tree.root() + QStringLiteral("/absent"), tree.run())
                     .enumerateConnections()
                     .ok);
        QVERIFY(!SysfsLineServices(tree.root() + QStringLiteral("/plainfile"), tree.run())
                     .enumerateConnections()
                     .ok);
    }

    void stateFollowsTheUpFlag_data()
    {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<int>("state");
        QTest::newRow("up, point-to-point") << QByteArray("0x1091") << 0x2000;
        QTest::newRow("being set up") << QByteArray("0x1090") << 0;
        QTest::newRow("up only") << QByteArray("0x1") << 0x2000;
        QTest::newRow("garbage") << QByteArray("up and running") << 0;
        QTest::newRow("negative") << QByteArray("-0x1") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void stateFollowsTheUpFlag()
    {
        QFETCH(QByteArray, flags);
        QFETCH(int, state);
        NetTree tree;
        tree.addInterface(QStringLiteral("ppp0"), 5, 512);
        tree.write(QStringLiteral("ppp0/flags"), flags);
        QCOMPARE(lineOver(tree).connectionState(QStringLiteral("ppp0")), state);
    }

    void vanishedOrForeignHandlesReadDown()
    {
        NetTree tree;
        tree.addInterface(QStringLiteral("ppp0"), 5, 512);
        SysfsLineServices line = lineOver(tree);
        QCOMPARE(line.enumerateConnections().connections, QStringList { QStringLiteral("ppp0") });
        tree.removeInterface(QStringLiteral("ppp0"));
        QCOMPARE(line.connectionState(QStringLiteral("ppp0")), 0);
        // A handle never leaves the network folder.
        tree.write(QStringLiteral("../flags"), "0x1\n");
        QCOMPARE(line.connectionState(QStringLiteral("..")), 0);
        QCOMPARE(line.connectionState(QString()), 0);
    }

    void dialStartsTheCommandWithoutWaiting()
    {
        NetTree tree;
        const QString script = tree.root() + QStringLiteral("/pon");
        const QString marker = tree.root() + QStringLiteral("/dialled");
        writeFileBytes(script, "#!/bin/sh\n[ -t 0 ] && exit 1\necho \"$#\" > \"" + marker.toUtf8() + "\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        lineOver(tree, script).dial();
        QTRY_VERIFY(QFile::exists(marker) && readFileBytes(marker) == "0\n");
        lineOver(tree, tree.root() + QStringLiteral("/no-such-pon")).dial(); // ignored, like a failing one
    }

    // Only pppd's own number in the interface's pid file is signalled; anything else, nothing.
    void hangUpSignalsTheDiallerOnly_data()
    {
        QTest::addColumn<QByteArray>("pidFile"); // "PID" stands for the stand-in's number
        QTest::addColumn<QByteArray>("processName");
        QTest::addColumn<bool>("signalled");
        QTest::newRow("pppd") << QByteArray("PID\nppp0\n") << QByteArray("pppd") << true;
        QTest::newRow("garbage") << QByteArray("pppd is running\n") << QByteArray("pppd") << false;
        QTest::newRow("someone else's process") << QByteArray("PID\n") << QByteArray("bash") << false;
        QTest::newRow("process gone") << QByteArray("PID\n") << QByteArray() << false;
    }
    void hangUpSignalsTheDiallerOnly()
    {
        QFETCH(QByteArray, pidFile);
        QFETCH(QByteArray, processName);
        QFETCH(bool, signalled);
        NetTree tree;
        StandInDialler pppd;
        QVERIFY(pppd.pid() > 1);
        tree.writePidFile(
            QStringLiteral("ppp0"), QByteArray(pidFile).replace("PID", QByteArray::number(pppd.pid())));
        if (!processName.isEmpty())
            tree.setProcessName(pppd.pid(), processName);
        lineOver(tree).hangUp(QStringLiteral("ppp0"));
        QCOMPARE(pppd.process.waitForFinished(signalled ? 5000 : 200), signalled);
    }

    void processNumbers_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<qint64>("pid"); // 0: refused
        QTest::newRow("plain") << QByteArray("1234") << qint64(1234);
        QTest::newRow("every process") << QByteArray("-1") << qint64(0);
        QTest::newRow("a group") << QByteArray("-1234") << qint64(0);
        QTest::newRow("init") << QByteArray("1") << qint64(0);
        QTest::newRow("plus sign") << QByteArray("+1234") << qint64(0);
        QTest::newRow("too large") << QByteArray("99999999999") << qint64(0);
    }
    void processNumbers()
    {
        QFETCH(QByteArray, line);
        QFETCH(qint64, pid);
        QCOMPARE(sysfs::parseProcessNumber(line).value_or(0), pid);
    }
};

QTEST_GUILESS_MAIN(TestSysfsLineServices)
#include "test_sysfs_line_services.moc"
