#include "app/instance_lock.h"
#include "settings/settings_file.h"
#include "support/message_box_recorder.h"
#include "support/temp_app_folder.h"
#include "ui/xvfb_display.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// A copy of build/app, as a user would copy it anywhere and start it there.
void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(
        from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The program, started from its folder with the given display settings.
class Program {
public:
    Program(const QString& folder, const QProcessEnvironment& env)
    {
        m_process.setProcessEnvironment(env);
        m_process.setProgram(folder + QStringLiteral("/chronolien"));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }
    ~Program() { kill(); }
    void kill()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
};

// Runs xdotool on the display; its output, or nothing when it failed.
std::optional<QByteArray> xdotool(const QString& display, const QStringList& arguments)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return std::nullopt;
    return tool.readAllStandardOutput();
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT
private:
    QString m_built;
    QTemporaryDir m_runtime { QDir::tempPath() + QStringLiteral("/chronolien-runtime-XXXXXX") };

    QProcessEnvironment environment(const QString& display = QString()) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        if (display.isEmpty()) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), display);
        }
        return env;
    }
    QStringList locks() const
    {
        return QDir(m_runtime.path())
            .entryList({ QStringLiteral("chronolien-*.lock") }, QDir::Files | QDir::Hidden);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_built = QStringLiteral(CHRONOLIEN_APP_DIR);
        QVERIFY2(QFileInfo(m_built + QStringLiteral("/chronolien")).isExecutable(),
            "build/app/chronolien is missing");
        QVERIFY(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The test's own lock paths must be those the program computes.
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }

    void firstStartWritesTheDefaultsBesideItself()
    {
        TempAppFolder folder;
        copyFolder(m_built, folder.path());
        Program program(folder.path(), environment());
        QTRY_VERIFY_WITH_TIMEOUT(
            folder.readBytes(QStringLiteral("config.ini")).size() == 23 * SettingsFile::RecordSize
                && folder.exists(QStringLiteral("even1.ini")) && folder.exists(QStringLiteral("even2.ini")),
            30000);
        QCOMPARE(program.process().state(), QProcess::Running);

        // Written for the folder the program started from: its sounds are looked for there.
        MessageBoxRecorder messages;
        SettingsFile written(folder.file(QStringLiteral("config.ini")), messages);
        QCOMPARE(written.readKey(QStringLiteral("son_connect")),
            folder.file(QStringLiteral("sons/connect.wav")).left(60));
        QCOMPARE(locks(), QStringList { QFileInfo(InstanceLock::lockPath(folder.path())).fileName() });

        // A killed instance leaves no stuck lock: the next start runs.
        program.kill();
        QFile::remove(folder.file(QStringLiteral("even1.ini")));
        Program again(folder.path(), environment());
        QTRY_VERIFY_WITH_TIMEOUT(folder.exists(QStringLiteral("even1.ini")), 30000);
        QCOMPARE(again.process().state(), QProcess::Running);
    }

    // The lock the first test saw the running program hold, held here: the start is refused with
    // its message, before reading a setting or writing a file.
    void secondStartIsRefusedWithAMessage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed: the refusal's message box cannot be answered");
        XvfbDisplay x;
        if (!x.isRunning())
            QSKIP(qPrintable(x.failure()));
        TempAppFolder folder;
        copyFolder(m_built, folder.path());
        const QStringList filesBefore = filesIn(folder.path());
        QLockFile held(InstanceLock::lockPath(folder.path()));
        held.setStaleLockTime(0);
        QVERIFY(held.tryLock(0));

        Program refused(folder.path(), environment(x.display()));
        QVERIFY(refused.process().waitForStarted(10000));
        const QString pid = QString::number(refused.process().processId());
        const auto window = xdotool(x.display(),
            { QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--pid"), pid, QStringLiteral("--name"), QStringLiteral("^Chronolien$") });
        QVERIFY2(window && !window->trimmed().isEmpty(), "the refused start showed no message box");
        const QString id = QString::fromLatin1(window->trimmed().split('\n').first());
        QVERIFY(xdotool(x.display(), { QStringLiteral("windowfocus"), QStringLiteral("--sync"), id }));
        QVERIFY(xdotool(x.display(), { QStringLiteral("key"), QStringLiteral("Return") }));
        QVERIFY(refused.process().waitForFinished(20000));
        QCOMPARE(refused.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(refused.process().exitCode(), 1);
        QCOMPARE(filesIn(folder.path()), filesBefore);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
