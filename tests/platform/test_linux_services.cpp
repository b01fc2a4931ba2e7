#include "net_tree.h"
#include "platform/linux/ppp_line.h"
#include "platform/linux/qt_sound_player.h"
#include "platform/linux/sysfs_net.h"
#include "platform/linux/system_clock.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <sys/stat.h>

using namespace chronolien;
using namespace chronolien::test;

namespace {

PppLine lineOver(const NetTree& tree, const QString& dialCommand = QStringLiteral("/nonexistent/pon"))
{
    return PppLine(nullptr, tree.net(), tree.run(), dialCommand, tree.proc());
}

QStringList pppNames(sysfs::InterfaceList& list)
{
    QStringList names;
    for (const sysfs::NetEntry& entry : list.list().value_or(QList<sysfs::NetEntry>()))
        names.append(entry.name);
    return names;
}

using State = Line::State;

// A process that stands for pppd until someone signals it or the test ends.
struct StandInDialler : QProcess {
    StandInDialler()
    {
        start(QStringLiteral("sleep"), { QStringLiteral("30") });
        waitForStarted();
    }
    ~StandInDialler() override
    {
        kill();
        waitForFinished();
    }
};

} // namespace

// The Linux services over the kernel's files (a copy laid out in a temporary folder), the clock and
// the sound module.
class TestLinuxServices : public QObject {
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
        // The state follows the up flag (0x1); flags that do not read are a line being set up.
        for (const auto& [flags, state] :
            { std::pair { QByteArray("0x1091\n"), State::Up }, { QByteArray("0x1\n"), State::Up },
                { QByteArray("up and running\n"), State::SettingUp }, { QByteArray(), State::SettingUp } }) {
            tree.write(QStringLiteral("ppp2/flags"), flags);
            QVERIFY2(line.state() == state, flags.constData());
        }

        // No line without a PPP interface, or where the folder is missing or no folder.
        for (const QString& name : { QStringLiteral("ppp1"), QStringLiteral("ppp0"), QStringLiteral("ppp2") })
            tree.removeInterface(name);
        QCOMPARE(line.state(), State::Down);
        writeFileBytes(tree.root() + QStringLiteral("/plainfile"), "x");
        for (const QString& folder : { tree.net(), tree.root() + QStringLiteral("/absent"),
                 tree.root() + QStringLiteral("/plainfile") }) {
            PppLine none(nullptr, folder, tree.run());
            QVERIFY(none.state() == State::Down && !none.traffic());
        }
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

    // Only pppd's own number in the interface's pid file is signalled; anything else, nothing. Every
    // PPP interface's dialler is signalled: a second one's, whatever the first's file holds.
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
        StandInDialler pppd, second;
        tree.addInterface(QStringLiteral("ppp0"), 5, 512);
        tree.addInterface(QStringLiteral("ppp1"), 9, 512, "0x1090");
        tree.writePidFile(QStringLiteral("ppp1"), QByteArray::number(second.processId()) + '\n');
        tree.setProcessName(second.processId(), "pppd");
        if (pidFile == "FIFO")
            QCOMPARE(
                ::mkfifo(QFile::encodeName(tree.run() + QStringLiteral("/ppp0.pid")).constData(), 0600), 0);
        else
            tree.writePidFile(QStringLiteral("ppp0"),
                QByteArray(pidFile).replace("PID", QByteArray::number(pppd.processId())));
        if (!processName.isEmpty())
            tree.setProcessName(pppd.processId(), processName);
        lineOver(tree).hangUp();
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(pppd.waitForFinished(signalled ? 5000 : 200), signalled);
    }

    // Only a plain number above init's is a process to signal: not every process, a group or init.
    void processNumbers()
    {
        QList<qint64> read;
        for (const char* line : { "1234", "-1", "-1234", "1", "+1234", "99999999999" })
            read.append(sysfs::parseProcessNumber(line).value_or(0));
        QCOMPARE(read, (QList<qint64> { 1234, 0, 0, 0, 0, 0 }));
    }

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

    // A module whose factory went missing would leave every sound silent without a word. No file:
    // no sample is loaded on Qt's loader thread, which would outlive this short test.
    void theSoundModuleIsLoadedAtTheFirstSoundOnly()
    {
        QtSoundPlayer player { QStringLiteral(CHRONOLIEN_SOUND_MODULE) };
        QVERIFY(!player.moduleLoaded());
        player.play(QString());
        QVERIFY(player.moduleLoaded());
    }

    // The clock agrees with Qt's local time in a zone 14 hours from UTC, where a date read in UTC or
    // a field taken off by one would show.
    void readsTheLocalTime()
    {
        qputenv("TZ", "Pacific/Kiritimati");
        const SystemClock clock;
        const QDateTime before = QDateTime::currentDateTime();
        const QDate today = clock.today();
        const float seconds = clock.secondsSinceMidnight();
        const QDateTime after = QDateTime::currentDateTime();
        if (before.date() != after.date())
            QSKIP("read across midnight");
        QCOMPARE(today, before.date());
        QVERIFY(seconds >= before.time().msecsSinceStartOfDay() / 1000.0f - 0.01f);
        QVERIFY(seconds <= after.time().msecsSinceStartOfDay() / 1000.0f + 0.01f);
    }
};

QTEST_GUILESS_MAIN(TestLinuxServices)
#include "test_linux_services.moc"
