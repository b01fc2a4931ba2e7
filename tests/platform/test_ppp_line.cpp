#include "net_tree.h"
#include "platform/linux/ppp_line.h"
#include "platform/linux/sysfs_net.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <sys/stat.h>

using namespace chronolien;
using namespace chronolien::test;

namespace {

PppLine lineOver(const NetTree& tree, const QString& dialCommand = QStringLiteral("/nonexistent/pon"))
{
    return PppLine(tree.net(), tree.run(), dialCommand, tree.proc());
}

using State = Line::State;

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

class TestPppLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The line is the PPP interface of the lowest index; the others and what is no interface, or
    // half gone, are passed over, never fatal.
    void theFirstPppInterfaceByIndexIsTheLine()
    {
        NetTree tree;
        tree.addInterface(QStringLiteral("lo"), 1, 772, "0x9", 100, 100);
        tree.addInterface(QStringLiteral("eth0"), 2, 1, "0x1003", 7, 8);
        tree.addInterface(QStringLiteral("ppp1"), 7, 512, "0x1091", 50, 50);
        tree.addInterface(QStringLiteral("ppp0"), 12, 512, "0x1091", 60, 60);
        tree.addInterface(QStringLiteral("ppp2"), 3, 512, "0x1090", 5'000'000'000ull, 12);
        tree.write(QStringLiteral("bonding_masters"), "\n");
        QDir(tree.net()).mkdir(QStringLiteral("junk"));
        tree.write(QStringLiteral("junk/type"), "ppp\n");
        tree.write(QStringLiteral("junk/ifindex"), "\xff\xfe\n");
        QDir(tree.net()).mkdir(QStringLiteral("noindex"));
        tree.write(QStringLiteral("noindex/type"), "512\n");

        PppLine line = lineOver(tree);
        QCOMPARE(line.state(), State::SettingUp); // ppp2, not up yet
        // Its counters whether up or not, 64-bit: a long connection passes 4 GiB.
        const auto traffic = line.traffic();
        QVERIFY(traffic);
        QCOMPARE(traffic->receivedBytes, 5'000'000'000ull);
        QCOMPARE(traffic->sentBytes, 12ull);

        tree.write(QStringLiteral("ppp2/statistics/rx_bytes"), "lots\n"); // an unreadable counter reads 0
        QCOMPARE(line.traffic()->receivedBytes, 0ull);
    }

    void noLineWithoutPppInterfaceOrFolder()
    {
        NetTree tree;
        tree.addInterface(QStringLiteral("eth0"), 2, 1);
        writeFileBytes(tree.root() + QStringLiteral("/plainfile"), "x");
        for (const QString& folder : { tree.net(), tree.root() + QStringLiteral("/absent"),
                 tree.root() + QStringLiteral("/plainfile") }) {
            PppLine line(folder, tree.run());
            QCOMPARE(line.state(), State::Down);
            QVERIFY(!line.traffic());
        }
    }

    void stateFollowsTheUpFlag_data()
    {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<State>("state");
        QTest::newRow("up, point-to-point") << QByteArray("0x1091") << State::Up;
        QTest::newRow("being set up") << QByteArray("0x1090") << State::SettingUp;
        QTest::newRow("up only") << QByteArray("0x1") << State::Up;
        QTest::newRow("garbage") << QByteArray("up and running") << State::SettingUp;
        QTest::newRow("negative") << QByteArray("-0x1") << State::SettingUp;
        QTest::newRow("empty") << QByteArray() << State::SettingUp;
    }
    void stateFollowsTheUpFlag()
    {
        QFETCH(QByteArray, flags);
        QFETCH(State, state);
        NetTree tree;
        tree.addInterface(QStringLiteral("ppp0"), 5, 512);
        tree.write(QStringLiteral("ppp0/flags"), flags);
        PppLine line = lineOver(tree);
        QCOMPARE(line.state(), state);
        tree.removeInterface(QStringLiteral("ppp0"));
        QCOMPARE(line.state(), State::Down);
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

        // A dialler that does not start is logged, once while it keeps failing: the tick dials
        // every second while the line is to be kept up.
        PppLine missing = lineOver(tree, tree.root() + QStringLiteral("/no-such-pon"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^could not dial: ")));
        missing.dial();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("could not dial")));
        missing.dial();
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
        QTest::newRow("a pipe in its place, never read") << QByteArray("FIFO") << QByteArray("pppd") << false;
    }
    void hangUpSignalsTheDiallerOnly()
    {
        QFETCH(QByteArray, pidFile);
        QFETCH(QByteArray, processName);
        QFETCH(bool, signalled);
        NetTree tree;
        StandInDialler pppd;
        QVERIFY(pppd.pid() > 1);
        tree.addInterface(QStringLiteral("ppp0"), 5, 512);
        if (pidFile == "FIFO")
            QCOMPARE(
                ::mkfifo(QFile::encodeName(tree.run() + QStringLiteral("/ppp0.pid")).constData(), 0600), 0);
        else
            tree.writePidFile(
                QStringLiteral("ppp0"), QByteArray(pidFile).replace("PID", QByteArray::number(pppd.pid())));
        if (!processName.isEmpty())
            tree.setProcessName(pppd.pid(), processName);
        lineOver(tree).hangUp();
        QCOMPARE(pppd.process.waitForFinished(signalled ? 5000 : 200), signalled);
    }

    void hangUpEndsEveryPppInterface()
    {
        NetTree tree;
        StandInDialler first;
        StandInDialler second;
        for (const auto& [name, pppd] :
            { std::pair { QStringLiteral("ppp1"), &first }, { QStringLiteral("ppp0"), &second } }) {
            tree.addInterface(name, name == u"ppp1" ? 4 : 9, 512, "0x1090");
            tree.writePidFile(name, QByteArray::number(pppd->pid()) + '\n');
            tree.setProcessName(pppd->pid(), "pppd");
        }
        lineOver(tree).hangUp();
        QVERIFY(first.process.waitForFinished(5000));
        QVERIFY(second.process.waitForFinished(5000));
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

QTEST_GUILESS_MAIN(TestPppLine)
#include "test_ppp_line.moc"
