// The real program, started from copies of the application folder: its first start, a killed run, a
// second instance, and folders that hold something else than its files or that it may not write.
#include "app/instance_lock.h"
#include "settings/settings_file.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"
#include "ui/xvfb_display.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// A shell command on the test's X server; its output, or nothing when it failed.
std::optional<QByteArray> onDisplay(const QString& command)
{
    QProcess shell;
    shell.start(QStringLiteral("sh"), { QStringLiteral("-c"), command });
    if (!shell.waitForFinished(30000) || shell.exitCode() != 0)
        return std::nullopt;
    return shell.readAllStandardOutput();
}

// Clicks the icon in the tray (trayer's "panel") with the given button.
const QString ClickTrayIcon = QStringLiteral(
    "icon=$(xwininfo -root -tree | awk '/\"panel\"/ { p = 1; next } p && /0x/ && !/1x1/ { print $1; exit }') "
    "&& [ -n \"$icon\" ] && eval $(xwininfo -id $icon | awk '/Absolute upper-left/ { sub(\":\", \"\", $3); "
    "print tolower($3) \"=\" $4 }') && xdotool mousemove $((x + 10)) $((y + 10)) sleep 0.3 click %1");

// The program of a folder, killed when the test is done with it.
struct Program : QProcess {
    ~Program() override
    {
        kill();
        waitForFinished();
    }
};

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

    XvfbDisplay m_x;
    Program m_trayer;
    QTemporaryDir m_runtime { QDir::tempPath() + QStringLiteral("/chronolien-runtime-XXXXXX") };

    // Starts the program of the folder on the test's X server, or offscreen.
    static void start(Program& program, const TempAppFolder& folder, bool offscreen = false)
    {
        if (offscreen) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            program.setProcessEnvironment(env);
        }
        program.start(folder.file(QStringLiteral("chronolien")), {});
    }
    // The program's visible windows, all titled "Chronolien": its message boxes or, as no skinned
    // window shows at start, its menu (neither a dialog nor the tray icon, which overrides the window
    // manager); "?" when they cannot be listed.
    QStringList windowsOf(qint64 pid, bool boxes) const
    {
        const auto ids = onDisplay(QStringLiteral(
            "for id in $(xdotool search --onlyvisible --pid %1); do xprop -id $id _NET_WM_NAME "
            "| grep -q '= \"Chronolien\"$' && %2 xprop -id $id _NET_WM_WINDOW_TYPE | grep -q %3 "
            "&& echo $id; done; true")
                                       .arg(pid)
                                       .arg(boxes ? "" : "!", boxes ? "DIALOG" : "'OVERRIDE\\|DIALOG'"));
        return ids ? QString::fromLatin1(*ids).split(u'\n', Qt::SkipEmptyParts) : QStringList { "?" };
    }
    // The one message box the program shows within the time, answered with Enter, which is pressed
    // again while that box stays (the box may not have the keyboard yet).
    void answerTheMessage(qint64 pid, int within) const
    {
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(pid, true).size(), 1, within);
        const QString box = windowsOf(pid, true).first();
        const auto key = QStringLiteral("xdotool windowfocus --sync %1 key Return").arg(box);
        QTRY_VERIFY_WITH_TIMEOUT(!windowsOf(pid, true).contains(box) || (onDisplay(key), false), 10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(QStringLiteral(CHRONOLIEN_APP_DIR "/chronolien")).isExecutable(),
            "build/app/chronolien is missing");
        QVERIFY(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The programs started inherit them: the lock paths the test computes are the program's, and
        // the tools and the programs work on the test's X server.
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("DISPLAY", m_x.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }

    // A first start writes its files for the folder it started from, holds that folder's lock and,
    // with mail checking off, loads nothing of the network. Killed, it leaves no stuck lock.
    void firstStartAndKill()
    {
        TempAppFolder folder;
        QVERIFY(folder.copyFrom(QStringLiteral(CHRONOLIEN_APP_DIR)));
        Program program;
        start(program, folder, true);
        QTRY_VERIFY_WITH_TIMEOUT(
            folder.readBytes(QStringLiteral("config.ini")).size() == 23 * SettingsFile::RecordSize
                && folder.exists(QStringLiteral("even1.ini")) && folder.exists(QStringLiteral("even2.ini")),
            30000);
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY(QFileInfo::exists(InstanceLock::lockPath(folder.path())));
        QTest::qWait(500);
        const QByteArray maps = readFileBytes(QStringLiteral("/proc/%1/maps").arg(program.processId()));
        QVERIFY2(!maps.contains("libQt6Network") && !maps.contains("libssl"),
            "the network is loaded with mail checking off");

        program.kill();
        QFile::remove(folder.file(QStringLiteral("even1.ini")));
        Program again;
        start(again, folder, true);
        QTRY_VERIFY_WITH_TIMEOUT(folder.exists(QStringLiteral("even1.ini")), 30000);
        QCOMPARE(again.state(), QProcess::Running);
    }

    void answersWhateverItsFolderHolds_data()
    {
        QTest::addColumn<QStringList>("pipes");
        QTest::addColumn<bool>("mail"); // mail checking on, debugging on
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("told"); // "Impossible d'écrire dans le fichier .../config.ini"
        QTest::addColumn<bool>("locked"); // as by a running program
        QTest::newRow("pipes: settings, lists, history")
            << QStringList { "config.ini", "even1.ini", "even2.ini", "historique.csv" } << false << false
            << true << false;
        QTest::newRow("pipes: accounts, trace")
            << QStringList { "courrier.ini", "messages.txt" } << true << false << false << false;
        QTest::newRow("read-only folder") << QStringList() << true << true << true << false;
        QTest::newRow("second instance") << QStringList() << false << false << true << true;
    }

    // Within 3 s it answers: the one message when its settings cannot be written, its tray menu when
    // asked (the tray icon alone shows before the settings are read). A second instance is refused
    // with its message, before reading a setting or writing a file.
    void answersWhateverItsFolderHolds()
    {
        QFETCH(QStringList, pipes);
        QFETCH(bool, mail);
        QFETCH(bool, readOnly);
        QFETCH(bool, told);
        QFETCH(bool, locked);
        if (!m_x.isRunning())
            QSKIP(qPrintable(m_x.failure()));
        for (const QString tool : { "trayer", "xdotool", "xwininfo", "xprop", "unshare" }) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        }
        if (m_trayer.state() == QProcess::NotRunning) {
            m_trayer.setProcessChannelMode(QProcess::ForwardedChannels);
            m_trayer.start(QStringLiteral("trayer"),
                QStringLiteral("--edge top --align right --widthtype request --height 32 --SetDockType true "
                               "--transparent false")
                    .split(u' '));
            QTRY_VERIFY_WITH_TIMEOUT(
                onDisplay(QStringLiteral("xwininfo -root -tree | grep -q '\"panel\"'")), 10000);
        }
        TempAppFolder folder;
        QVERIFY(folder.copyFrom(QStringLiteral(CHRONOLIEN_APP_DIR)));
        if (mail) {
            MessageBoxRecorder messages;
            SettingsFile(folder.file(QStringLiteral("config.ini")), messages)
                .writeKey(QStringLiteral("courrier"), true);
            folder.writeBytes(QStringLiteral("debug"), {});
        }
        for (const QString& name : pipes)
            QVERIFY(makeNonRegular(folder.file(name), QStringLiteral("pipe")));
        const auto files = [&folder] { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); };
        const QStringList before = files();
        QLockFile held(InstanceLock::lockPath(folder.path()));
        QVERIFY(!locked || held.tryLock(0));

        Program program;
        if (readOnly && ::geteuid() == 0) {
            // Root writes anywhere: the folder is mounted read-only for the program alone.
            if (QProcess::execute(QStringLiteral("unshare"), QStringLiteral("-m true").split(u' ')) != 0)
                QSKIP("unshare refused a private mount namespace");
            program.start(QStringLiteral("unshare"),
                QStringLiteral("-m --propagation private sh -c").split(u' ')
                    << QStringLiteral("mount --bind -o ro \"$0\" \"$0\" && exec \"$0/chronolien\"")
                    << folder.path());
        } else {
            if (readOnly)
                QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            start(program, folder);
        }
        QVERIFY(program.waitForStarted());
        const qint64 pid = program.processId();
        QElapsedTimer clock;
        clock.start();

        if (told) {
            answerTheMessage(pid, locked ? 20000 : 3000);
            if (QTest::currentTestFailed())
                return;
            if (locked) {
                QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 20000);
                QCOMPARE(program.exitStatus(), QProcess::NormalExit);
                QCOMPARE(program.exitCode(), 1);
                QCOMPARE(files(), before);
                return;
            }
            QTest::qWait(1000); // a second message would follow at once
            QCOMPARE(windowsOf(pid, true).size(), 0);
            clock.restart();
        }
        // A click may come while the tray still places the icon: the menu is asked for until it shows.
        const auto menuShown = [&] {
            if (windowsOf(pid, false).size() == 1)
                return true;
            onDisplay(ClickTrayIcon.arg(3));
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 3000 - int(clock.elapsed()));
        QCOMPARE(windowsOf(pid, true).size(), 0);
        if (readOnly)
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString& name : pipes)
            QVERIFY(!QFileInfo(folder.file(name)).isFile()); // left in place
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
