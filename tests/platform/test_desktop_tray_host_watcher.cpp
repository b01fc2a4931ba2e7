#include "platform/linux/desktop_tray_host_watcher.h"
#include "support/private_session_bus.h"
#include "ui/xvfb_display.h"

#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace chronolien;
using chronolien::test::XvfbDisplay;

class TestDesktopTrayHostWatcher : public QObject {
    Q_OBJECT
public:
    explicit TestDesktopTrayHostWatcher(const XvfbDisplay& x)
        : m_x(x)
    {
    }

private Q_SLOTS:
    // Each tray starts after the watcher, on a desktop that had none; a watcher made once it runs
    // sees it at once; and once it stops, there is no tray any more.
    void seesATrayStartAndStop_data()
    {
        const QString standin = QStringLiteral(CHRONOLIEN_DESKTOP_SERVICES_STANDIN);
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        // The watcher service runs a while before a tray host registers with it.
        QTest::addColumn<bool>("hostLater");
        QTest::newRow("StatusNotifierItem watcher with its host")
            << standin
            << QStringList { QStringLiteral("--watcher"), QStringLiteral("--delay"), QStringLiteral("1000") }
            << false;
        QTest::newRow("host registering with a running watcher")
            << standin
            << QStringList { QStringLiteral("--watcher"), QStringLiteral("--host-delay"),
                   QStringLiteral("1500") }
            << true;
        QTest::newRow("XEmbed tray") << QStringLiteral("trayer")
                                     << QStringList { QStringLiteral("--edge"), QStringLiteral("top"),
                                            QStringLiteral("--SetDockType"), QStringLiteral("true") }
                                     << false;
    }
    void seesATrayStartAndStop()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, hostLater);
        if (program == QLatin1String("trayer") && !m_x.isRunning())
            QSKIP(qPrintable(m_x.failure()));
        if (QStandardPaths::findExecutable(program).isEmpty() && !QFile::exists(program))
            QSKIP(qPrintable(program + QStringLiteral(" is not installed")));

        DesktopTrayHostWatcher watcher;
        QSignalSpy appeared(&watcher, &TrayHostWatcher::hostAppeared);
        QVERIFY(!watcher.available());

        QProcess tray;
        tray.start(program, arguments);
        if (hostLater) {
            QTRY_VERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                QStringLiteral("org.kde.StatusNotifierWatcher")));
            QTest::qWait(300);
            QVERIFY(appeared.isEmpty());
            QVERIFY(!DesktopTrayHostWatcher().available());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!appeared.isEmpty(), 10000);
        QVERIFY(watcher.available());
        QVERIFY(DesktopTrayHostWatcher().available());

        tray.terminate();
        QVERIFY(tray.waitForFinished());
        QTRY_VERIFY(!watcher.available());
    }

private:
    const XvfbDisplay& m_x;
};

int main(int argc, char** argv)
{
    chronolien::test::runOnPrivateSessionBus(argc, argv);
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    XvfbDisplay x;
    if (x.isRunning())
        qputenv("DISPLAY", x.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", x.isRunning() ? "xcb" : "offscreen");
    QGuiApplication app(argc, argv);
    TestDesktopTrayHostWatcher test(x);
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop_tray_host_watcher.moc"
