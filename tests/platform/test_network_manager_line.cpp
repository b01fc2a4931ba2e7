#include "net_tree.h"
#include "platform/linux/link_events.h"
#include "platform/linux/network_manager_connections.h"
#include "platform/linux/network_manager_line.h"
#include "platform/linux/sysfs_net.h"

#include <QProcess>
#include <QTest>
#include <csignal>

using namespace chronolien;
using namespace chronolien::test;
using namespace std::chrono_literals;

// Runs inside tests/support/nm_sandbox.sh: a NetworkManager of its own, with the tun connection
// "ligne-test" (tun7) not active at the start of each case.

namespace {

using State = Line::State;

// NetworkManager takes about two seconds to bring a tun connection up.
constexpr int ActivationMs = 10000;

// Runs a command line without running the event loop: the line learns what it did only when the test
// lets the bus's signals in. Its output, or nothing when it failed (shown when expected to succeed).
std::optional<QByteArray> run(const QString& commandLine, bool expected = true)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    QProcess process;
    process.start(arguments.takeFirst(), arguments);
    if (process.waitForFinished(15000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0)
        return process.readAllStandardOutput();
    if (expected)
        qWarning().noquote() << commandLine << "failed:" << process.readAllStandardError();
    return std::nullopt;
}

bool nmcli(const QString& arguments)
{
    return run(QStringLiteral("nmcli ") + arguments).has_value();
}

bool addTunConnection(const QString& name, const QString& interface, const QString& uuid)
{
    return nmcli(QStringLiteral("connection add type tun mode tun ifname %1 con-name %2 connection.uuid %3 "
                                "connection.autoconnect no ipv4.method disabled ipv6.method disabled")
                     .arg(interface, name, uuid));
}

QStringList activeConnectionNames()
{
    const auto names = run(QStringLiteral("nmcli -t -f NAME connection show --active"));
    return QString::fromUtf8(names.value_or(QByteArray())).split(u'\n', Qt::SkipEmptyParts);
}

// The distinct states the line goes through until it reaches the last one wanted, or the time is up.
QList<State> statesUntil(Line& line, State last)
{
    QList<State> seen;
    QDeadlineTimer deadline(ActivationMs);
    while (!deadline.hasExpired() && (seen.isEmpty() || seen.constLast() != last)) {
        if (seen.isEmpty() || seen.constLast() != line.state())
            seen.append(line.state());
        QTest::qWait(10);
    }
    return seen;
}

const QString LineName = QStringLiteral("ligne-test");
const QString NewName = QStringLiteral("ligne-nouvelle");
const QString NewUuid = QStringLiteral("2f9d8c1e-6a4b-4c3d-9e8f-1a2b3c4d5e6f");
const QString TwinUuid = QStringLiteral("7c1e2d3f-4a5b-4c6d-8e9f-0a1b2c3d4e5f");
const QString OtherUuid = QStringLiteral("9a8b7c6d-5e4f-4a3b-8c2d-1e0f9a8b7c6d");

} // namespace

class TestNetworkManagerLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("NM_SANDBOX"))
            QSKIP("needs the NetworkManager of tests/support/nm_sandbox.sh");
    }

    void cleanup()
    {
        // What a failed case may have left behind; each command fails harmlessly when there is nothing.
        if (!run(QStringLiteral("nmcli general status"), false))
            run(QStringLiteral("\"" CHRONOLIEN_NM_SANDBOX "\" --start-networkmanager"));
        run(QStringLiteral("nmcli connection down ") + LineName, false);
        for (const QString& uuid : { NewUuid, TwinUuid, OtherUuid })
            run(QStringLiteral("nmcli connection delete ") + uuid, false);
    }

    void followsDialHangUpAndChangesFromOutside()
    {
        // The counters come from a folder laid out like the kernel's: the test can tell tun7's
        // numbers from any other's, which the real tun7, with nothing reading it, never shows.
        NetTree tree;
        tree.addInterface(QStringLiteral("lo"), 1, 772, "0x9", 11, 22);
        tree.addInterface(QStringLiteral("tun7"), 5, 65534, "0x1091", 1234, 5678);
        NetworkManagerLine line(LineName, tree.net());
        QTest::qWait(300);
        QCOMPARE(line.state(), State::Down);
        QVERIFY(!line.traffic());

        line.dial();
        QCOMPARE(statesUntil(line, State::Up), (QList<State> { State::Down, State::SettingUp, State::Up }));
        const std::optional<Line::Traffic> traffic = line.traffic();
        QVERIFY(traffic);
        QCOMPARE(traffic->receivedBytes, 1234u);
        QCOMPARE(traffic->sentBytes, 5678u);

        // Taken down by someone else: the line holds what the last signal said until the signals
        // of the change are let in; state() itself never asks the bus.
        QVERIFY(nmcli(QStringLiteral("connection down ") + LineName));
        QCOMPARE(line.state(), State::Up);
        QTRY_COMPARE(line.state(), State::Down);
        QVERIFY(!line.traffic());
    }

    void connectionThatAppearsAndGoesAway()
    {
        NetworkManagerLine line(NewName);
        QTest::qWait(300);
        const QStringList activeBefore = activeConnectionNames();
        line.dial();
        line.hangUp();
        QTest::qWait(300);
        QCOMPARE(line.state(), State::Down);
        QCOMPARE(activeConnectionNames(), activeBefore);
        QVERIFY(!line.traffic());

        QVERIFY(addTunConnection(NewName, QStringLiteral("tun8"), NewUuid)
            && nmcli(QStringLiteral("connection up ") + NewUuid));
        QTRY_COMPARE(line.state(), State::Up);
        QVERIFY(nmcli(QStringLiteral("connection delete ") + NewUuid));
        QTRY_COMPARE(line.state(), State::Down);
    }

    void followsNetworkManagerThroughAFreezeAndARestart()
    {
        NetworkManagerLine line(LineName);
        line.dial();
        QTRY_COMPARE_WITH_TIMEOUT(line.state(), State::Up, ActivationMs);

        // A NetworkManager that answers nothing: the listing gives up in its time.
        const qint64 pid
            = readFileBytes(qEnvironmentVariable("NM_SANDBOX") + "/nm.pid").trimmed().toLongLong();
        QVERIFY(pid > 1 && ::kill(pid_t(pid), SIGSTOP) == 0);
        QElapsedTimer listing;
        listing.start();
        const std::optional<QStringList> frozen
            = networkManagerConnectionNames(QDBusConnection::systemBus(), 300ms);
        const qint64 frozenMs = listing.elapsed();
        ::kill(pid_t(pid), SIGCONT);
        QCOMPARE(frozen, std::nullopt);
        QVERIFY2(frozenMs < 1000, qPrintable(QString::number(frozenMs)));

        QVERIFY(run(QStringLiteral("\"" CHRONOLIEN_NM_SANDBOX "\" --stop-networkmanager")));
        QTRY_COMPARE(line.state(), State::Down);
        line.dial();
        QCOMPARE(networkManagerConnectionNames(), std::nullopt);

        // tun7 outlived NetworkManager, which takes the connection back up when it starts again.
        QVERIFY(run(QStringLiteral("\"" CHRONOLIEN_NM_SANDBOX "\" --start-networkmanager")));
        QTRY_COMPARE_WITH_TIMEOUT(line.state(), State::Up, ActivationMs);
        line.hangUp();
        QTRY_COMPARE(line.state(), State::Down);

        // Listed for the user: each name once, in order without regard to case.
        QVERIFY(addTunConnection(QStringLiteral("Mobile"), QStringLiteral("tun9"), OtherUuid)
            && addTunConnection(LineName, QStringLiteral("tun10"), TwinUuid));
        const std::optional<QStringList> names = networkManagerConnectionNames();
        QVERIFY(names);
        QCOMPARE(names->count(LineName), 1);
        QVERIFY2(names->indexOf(LineName) < names->indexOf(QStringLiteral("Mobile")),
            qPrintable(names->join(u',')));
    }

    // A listing that found no interface of a kind holds until the kernel tells of a change in its
    // interfaces: an entry put in a folder without the kernel's word is not seen, and tun7, which
    // NetworkManager brings and takes away, is seen coming and going.
    void interfaceListsFollowTheKernelsLinkEvents()
    {
        constexpr int Tun = 65534;
        const auto names = [](sysfs::InterfaceList& list) {
            QStringList names;
            for (const sysfs::NetEntry& entry : list.list().value_or(QList<sysfs::NetEntry>()))
                names.append(entry.name);
            return names;
        };
        LinkEvents kernelEvents;
        sysfs::InterfaceList kernel(QStringLiteral("/sys/class/net"), Tun, &kernelEvents);
        QCOMPARE(names(kernel), QStringList());
        NetTree tree;
        LinkEvents treeEvents;
        sysfs::InterfaceList held(tree.net(), Tun, &treeEvents);
        QCOMPARE(names(held), QStringList());
        tree.addInterface(QStringLiteral("tun9"), 9, Tun);
        QTest::qWait(300);
        QCOMPARE(names(held), QStringList());

        QVERIFY(nmcli(QStringLiteral("connection up ") + LineName));
        QTRY_COMPARE(names(kernel), QStringList { QStringLiteral("tun7") });
        QTRY_COMPARE(names(held), QStringList { QStringLiteral("tun9") });
        QVERIFY(nmcli(QStringLiteral("connection down ") + LineName));
        QTRY_COMPARE(names(kernel), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestNetworkManagerLine)
#include "test_network_manager_line.moc"
