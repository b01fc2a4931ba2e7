#include "settings/settings_file.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"
#include "ui/xvfb_display.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <unistd.h>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// A shell command on the display; its output, or nothing when it failed.
std::optional<QByteArray> onDisplay(const QString& display, const QString& command)
{
    QProcess shell;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    shell.setProcessEnvironment(env);
    shell.start(QStringLiteral("sh"), { QStringLiteral("-c"), command });
    if (!shell.waitForFinished(10000) || shell.exitCode() != 0)
        return std::nullopt;
    return shell.readAllStandardOutput();
}

// Clicks the icon in the tray (trayer's "panel") with the given button.
const QString ClickTrayIcon
    = QStringLiteral("icon=$(xwininfo -root -tree | awk '/\"panel\"/ { p = 1; next } p && /0x/ && !/1x1/ { "
                     "print $1; exit }'); "
                     "[ -n \"$icon\" ] || exit 1; "
                     "x=$(xwininfo -id $icon | awk '/Absolute upper-left X/ { print $4 }'); "
                     "y=$(xwininfo -id $icon | awk '/Absolute upper-left Y/ { print $4 }'); "
                     "xdotool mousemove $((x + 10)) $((y + 10)) sleep 0.3 click %1");

} // namespace

// The real program in folders that hold something else than its files, or that it may not write:
// it never waits on a file, tells the user once, and its tray menu opens.
class TestProgramFiles : public QObject {
    Q_OBJECT

    XvfbDisplay m_x;
    QProcess m_trayer;
    QTemporaryDir m_runtime { QDir::tempPath() + QStringLiteral("/chronolien-runtime-XXXXXX") };

    QProcessEnvironment environment(bool offscreen) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
            offscreen ? QStringLiteral("offscreen") : QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), m_x.display());
        return env;
    }
    // The program's visible windows of a kind, all shown as "Chronolien": its message boxes (dialogs)
    // or, as no skinned window shows at start, its menu (neither a dialog nor the tray icon, which
    // overrides the window manager).
    QStringList windowsOf(qint64 pid, const QString& kind) const
    {
        const QString test = QStringLiteral("xprop -id $id _NET_WM_NAME | grep -q '= \"Chronolien\"$' && ")
            + (kind == u"box"
                    ? QStringLiteral("xprop -id $id _NET_WM_WINDOW_TYPE | grep -q DIALOG")
                    : QStringLiteral("! xprop -id $id _NET_WM_WINDOW_TYPE | grep -q 'OVERRIDE\\|DIALOG'"));
        const auto ids = onDisplay(m_x.display(),
            QStringLiteral(
                "for id in $(xdotool search --onlyvisible --pid %1); do %2 && echo $id; done; true")
                .arg(pid)
                .arg(test));
        return ids ? QString::fromLatin1(*ids).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList { QStringLiteral("?") };
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(QStringLiteral(CHRONOLIEN_APP_DIR "/chronolien")).isExecutable(),
            "build/app/chronolien is missing");
        QVERIFY(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void cleanupTestCase()
    {
        m_trayer.kill();
        m_trayer.waitForFinished();
    }

    // With mail checking off nothing of the network's TLS is loaded.
    void anIdleProgramHasNoTls()
    {
        TempAppFolder folder;
        QVERIFY(folder.copyFrom(QStringLiteral(CHRONOLIEN_APP_DIR)));
        QProcess program;
        program.setProcessEnvironment(environment(true));
        program.start(folder.file(QStringLiteral("chronolien")), {});
        QTRY_COMPARE_WITH_TIMEOUT(
            folder.readBytes(QStringLiteral("config.ini")).size(), 23 * SettingsFile::RecordSize, 30000);
        QTest::qWait(500);
        const QByteArray maps = readFileBytes(QStringLiteral("/proc/%1/maps").arg(program.processId()));
        program.kill();
        program.waitForFinished();
        QVERIFY(maps.contains("libQt6Network"));
        QVERIFY2(
            !maps.contains("libssl") && !maps.contains("tls/libq"), "TLS is loaded with mail checking off");
    }

    void answersWhateverItsFolderHolds_data()
    {
        QTest::addColumn<QStringList>("pipes");
        QTest::addColumn<bool>("mail"); // mail checking on, debugging on
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("told"); // "Impossible d'écrire dans le fichier .../config.ini"
        QTest::newRow("pipes: settings, lists, history")
            << QStringList { "config.ini", "even1.ini", "even2.ini", "historique.csv" } << false << false
            << true;
        QTest::newRow("pipes: accounts, trace")
            << QStringList { "courrier.ini", "messages.txt" } << true << false << false;
        QTest::newRow("read-only folder") << QStringList() << true << true << true;
    }

    // Within 3 s it answers: the one message when its settings cannot be written, its tray menu when
    // asked (the tray icon alone shows before the settings are read).
    void answersWhateverItsFolderHolds()
    {
        QFETCH(QStringList, pipes);
        QFETCH(bool, mail);
        QFETCH(bool, readOnly);
        QFETCH(bool, told);
        if (!m_x.isRunning())
            QSKIP(qPrintable(m_x.failure()));
        for (const char* tool : { "trayer", "xdotool", "xwininfo", "unshare" }) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool))));
        }
        if (m_trayer.state() == QProcess::NotRunning) {
            m_trayer.setProcessEnvironment(environment(false));
            m_trayer.setProcessChannelMode(QProcess::ForwardedChannels);
            m_trayer.start(QStringLiteral("trayer"),
                { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                    QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                    QStringLiteral("--height"), QStringLiteral("32"), QStringLiteral("--SetDockType"),
                    QStringLiteral("true"), QStringLiteral("--transparent"), QStringLiteral("false") });
            QTRY_VERIFY_WITH_TIMEOUT(
                onDisplay(m_x.display(), QStringLiteral("xwininfo -root -tree | grep -q '\"panel\"'")),
                10000);
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

        QProcess program;
        const auto end = qScopeGuard([&program] {
            program.kill();
            program.waitForFinished();
        });
        program.setProcessEnvironment(environment(false));
        if (!readOnly) {
            program.start(folder.file(QStringLiteral("chronolien")), {});
        } else if (::geteuid() != 0) {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            program.start(folder.file(QStringLiteral("chronolien")), {});
        } else {
            // Root writes anywhere: the folder is mounted read-only for the program alone.
            if (QProcess::execute(QStringLiteral("unshare"), { QStringLiteral("-m"), QStringLiteral("true") })
                != 0)
                QSKIP("unshare refused a private mount namespace");
            program.start(QStringLiteral("unshare"),
                { QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("private"),
                    QStringLiteral("sh"), QStringLiteral("-c"),
                    QStringLiteral("mount --bind -o ro \"$0\" \"$0\" && exec \"$0/chronolien\""),
                    folder.path() });
        }
        QVERIFY(program.waitForStarted());
        const qint64 pid = program.processId();
        QElapsedTimer clock;
        clock.start();

        if (told) {
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(pid, QStringLiteral("box")).size(), 1, 3000);
            const QString box = windowsOf(pid, QStringLiteral("box")).first();
            QVERIFY(onDisplay(
                m_x.display(), QStringLiteral("xdotool windowfocus --sync %1 key Return").arg(box)));
            QTRY_COMPARE(windowsOf(pid, QStringLiteral("box")).size(), 0);
            QTest::qWait(1000); // a second message would follow at once
            QCOMPARE(windowsOf(pid, QStringLiteral("box")).size(), 0);
            clock.restart();
        }
        // A click may come while the tray still places the icon: the menu is asked for until it shows.
        const auto menuShown = [&] {
            if (windowsOf(pid, QStringLiteral("menu")).size() == 1)
                return true;
            onDisplay(m_x.display(), ClickTrayIcon.arg(3));
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 3000 - int(clock.elapsed()));
        QCOMPARE(windowsOf(pid, QStringLiteral("box")).size(), 0);
        if (readOnly)
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString& name : pipes)
            QVERIFY(!QFileInfo(folder.file(name)).isFile()); // left in place
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "test_program_files.moc"
