#include "platform/linux/dbus_notifier.h"
#include "platform/linux/desktop_tray_host_watcher.h"
#include "platform/linux/widget_message_box.h"
#include "support/desktop_services_standin_process.h"
#include "support/private_session_bus.h"
#include "ui/xvfb_display.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace chronolien;
using chronolien::test::DesktopServicesStandinProcess;
using chronolien::test::XvfbDisplay;

namespace {

bool serviceRunning(const char* name = "org.freedesktop.Notifications")
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(name));
}

QMessageBox* openBox()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

// The desktop's services as the program uses them: message boxes, notifications and tray hosts.
class TestDesktopServices : public QObject {
    Q_OBJECT
public:
    explicit TestDesktopServices(const XvfbDisplay& x)
        : m_x(x)
    {
    }

private Q_SLOTS:
    void aMessageOnScreenIsNotOpenedAgain()
    {
        WidgetMessageBox messages;
        int boxesSeen = 0;
        MessageAnswer second = MessageAnswer::Ok;
        QTimer::singleShot(0, this, [&] {
            QMessageBox* box = openBox();
            QVERIFY(box);
            ++boxesSeen;
            // A later tick asks for the same message while the first is still open.
            second = messages.show(QStringLiteral("Forfait"), StyleInformation);
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(messages.show(QStringLiteral("Forfait"), StyleInformation), MessageAnswer::Ok);
        QCOMPARE(boxesSeen, 1);
        QCOMPARE(second, MessageAnswer::Cancel);

        // Once closed, the same message can be shown again.
        QTimer::singleShot(0, this, [&] { openBox()->button(QMessageBox::Ok)->click(); });
        QCOMPARE(messages.show(QStringLiteral("Forfait"), StyleInformation), MessageAnswer::Ok);
    }

    void questionAnswers()
    {
        WidgetMessageBox messages;
        for (const auto& [button, answer] : { std::pair { QMessageBox::Yes, MessageAnswer::Yes },
                 { QMessageBox::No, MessageAnswer::No }, { QMessageBox::Cancel, MessageAnswer::Cancel } }) {
            QTimer::singleShot(0, this, [&] {
                QMessageBox* box = openBox();
                QVERIFY(box);
                QCOMPARE(box->icon(), QMessageBox::Warning);
                QCOMPARE(box->windowTitle(), QStringLiteral("Chronolien"));
                QCOMPARE(box->text(), QStringLiteral("Quitter ?\nVraiment ?"));
                box->button(button)->click();
            });
            QCOMPARE(messages.show(QStringLiteral("Quitter ?\rVraiment ?"), StyleYesNoCancel), answer);
        }
    }

    // The caller is the user interface: it never waits for the service.
    void notifierReturnsAtOnce()
    {
        DBusNotifier notifier;
        DesktopServicesStandinProcess service(
            { QStringLiteral("--notifications"), QStringLiteral("--stuck") });
        QTRY_VERIFY(serviceRunning());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(notifier.notify(QStringLiteral("Courrier"), QStringLiteral("un")));
        QVERIFY(notifier.notify(QStringLiteral("Courrier"), QStringLiteral("deux")));
        QCOMPARE_LT(clock.elapsed(), 2000);
    }

    // Plain texts, whatever characters they hold, reach a service that reads the body as markup,
    // and only while it runs.
    void notifiesWhileTheServiceRuns_data()
    {
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("bodySent");
        QTest::newRow("accents") << QStringLiteral("Élodie Müller") << QStringLiteral("« Réunion » à 14 h")
                                 << QStringLiteral("« Réunion » à 14 h");
        QTest::newRow("markup characters")
            << QStringLiteral("R&D <équipe>") << QStringLiteral("Tom & Jerry <tom@example.org>")
            << QStringLiteral("Tom &amp; Jerry &lt;tom@example.org&gt;");
    }
    void notifiesWhileTheServiceRuns()
    {
        QFETCH(QString, summary);
        QFETCH(QString, body);
        QFETCH(QString, bodySent);
        DBusNotifier notifier;
        DesktopServicesStandinProcess service({ QStringLiteral("--notifications") });
        QTRY_VERIFY(serviceRunning());
        // The first goes out once the service's capabilities are known, the second straight away.
        QVERIFY(notifier.notify(summary, body));
        QTRY_COMPARE(service.calls().size(), 1);
        QVERIFY(notifier.notify(summary, body));
        QTRY_COMPARE(
            service.calls(), QStringList(2, DesktopServicesStandinProcess::notifyCall(summary, bodySent)));

        service.stop();
        QTRY_VERIFY(!serviceRunning());
        QVERIFY(!notifier.notify(summary, body));
    }

    // Each tray starts after the watcher, on a desktop that had none; a watcher made once it runs
    // sees it at once; and once it stops, there is no tray any more. The StatusNotifierItem watcher
    // runs a while before its tray host registers with it.
    void seesATrayStartAndStop_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("arguments");
        QTest::newRow("host registering with a running watcher")
            << QStringLiteral(CHRONOLIEN_DESKTOP_SERVICES_STANDIN) << "--watcher --host-delay 1500";
        QTest::newRow("XEmbed tray") << QStringLiteral("trayer") << "--edge top --SetDockType true";
    }
    void seesATrayStartAndStop()
    {
        QFETCH(QString, program);
        QFETCH(QString, arguments);
        const bool hostLater = program != QLatin1String("trayer");
        if (!hostLater && !m_x.isRunning())
            QSKIP(qPrintable(m_x.failure()));
        if (QStandardPaths::findExecutable(program).isEmpty() && !QFile::exists(program))
            QSKIP(qPrintable(program + QStringLiteral(" is not installed")));

        DesktopTrayHostWatcher watcher;
        QSignalSpy appeared(&watcher, &TrayHostWatcher::hostAppeared);
        QVERIFY(!watcher.available());

        QProcess tray;
        tray.start(program, arguments.split(u' '));
        if (hostLater) {
            QTRY_VERIFY(serviceRunning("org.kde.StatusNotifierWatcher"));
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
    QApplication app(argc, argv);
    TestDesktopServices test(x);
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop_services.moc"
