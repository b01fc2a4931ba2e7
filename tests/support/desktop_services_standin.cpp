// Stand-ins for the desktop's services, for tests on a private session bus: a notification service
// and a StatusNotifierItem watcher. Each call received is logged as one line of tab-separated
// fields, flushed at once so that a test can read the log while the stand-in runs.
//   desktop_services_standin [--notifications [--stuck]] [--watcher [--host-delay MS]] [--log FILE]
// --stuck: the notification service takes its calls but never answers; --host-delay: the watcher's
// tray host registers this long after the watcher starts. The stand-in ends with its bus.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

namespace {

QFile callLog;

void logCall(QStringList fields)
{
    for (QString& field : fields)
        field.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    callLog.write(fields.join(QLatin1Char('\t')).toUtf8() + '\n');
    callLog.flush();
}

class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    bool stuck = false;

public Q_SLOTS:
    uint Notify(const QString& appName, uint, const QString& icon, const QString& summary,
        const QString& body, const QStringList&, const QVariantMap&, int)
    {
        logCall({ QStringLiteral("Notify"), appName, icon, summary, body });
        hangIfStuck();
        return ++m_lastId;
    }
    QStringList GetCapabilities()
    {
        hangIfStuck();
        return { QStringLiteral("body"), QStringLiteral("body-markup") };
    }

private:
    void hangIfStuck()
    {
        if (stuck)
            QThread::sleep(3600);
    }
    uint m_lastId = 0;
};

// Only what the program and Qt's tray icon ask of a watcher.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered MEMBER m_hostRegistered)
public:
    void registerHost()
    {
        m_hostRegistered = true;
        Q_EMIT StatusNotifierHostRegistered();
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& serviceOrPath)
    {
        logCall({ QStringLiteral("RegisterStatusNotifierItem"), serviceOrPath });
    }

Q_SIGNALS:
    void StatusNotifierHostRegistered();

private:
    bool m_hostRegistered = false;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    const QCommandLineOption notifications(QStringLiteral("notifications")), stuck(QStringLiteral("stuck")),
        watcher(QStringLiteral("watcher")), log(QStringLiteral("log"), QString(), QStringLiteral("file")),
        hostDelay(QStringLiteral("host-delay"), QString(), QStringLiteral("ms"));
    options.addOptions({ notifications, stuck, watcher, log, hostDelay });
    options.process(app);
    callLog.setFileName(options.value(log));
    if (options.isSet(log) && !callLog.open(QIODevice::WriteOnly | QIODevice::Append))
        return 2;

    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationService notificationService;
    notificationService.stuck = options.isSet(stuck);
    StatusNotifierWatcher watcherService;
    const auto exports = QDBusConnection::ExportAllContents;
    if (options.isSet(notifications))
        bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notificationService, exports);
    if (options.isSet(watcher))
        bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcherService, exports);
    if (options.isSet(watcher)) // a tray host, from the start unless delayed
        QTimer::singleShot(options.value(hostDelay).toInt(), &app, [&] { watcherService.registerHost(); });
    if ((options.isSet(notifications)
            && !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
        || (options.isSet(watcher) && !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))))
        return 2;

    QTimer busCheck;
    QObject::connect(&busCheck, &QTimer::timeout, &app, [&] {
        if (!bus.isConnected())
            QCoreApplication::quit();
    });
    busCheck.start(200);
    return app.exec();
}

#include "desktop_services_standin.moc"
