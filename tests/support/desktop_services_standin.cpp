// Stand-ins for the desktop's services, for tests on a private session bus: a notification service
// and a StatusNotifierItem watcher. Each notification received is logged as one line of
// tab-separated fields, flushed at once so that a test can read the log while the stand-in runs.
//   desktop_services_standin [--notifications [--stuck]] [--watcher] [--log FILE] [--delay MS]
//                            [--host-delay MS]
// --stuck: the notification service takes its calls but never answers; --delay: the names are taken
// after this long; --host-delay: the watcher's tray host registers this long after the watcher
// starts, instead of being there from the start. The stand-in ends with its bus.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

namespace {

class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QFile log;
    bool stuck = false;

public Q_SLOTS:
    uint Notify(const QString& appName, uint, const QString& icon, const QString& summary,
        const QString& body, const QStringList&, const QVariantMap&, int)
    {
        QStringList fields { QStringLiteral("Notify"), appName, icon, summary, body };
        log.write(fields.join(u'\t').replace(u'\n', QLatin1String("\\n")).toUtf8() + '\n');
        log.flush();
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

Q_SIGNALS:
    void StatusNotifierHostRegistered();

private:
    bool m_hostRegistered = false;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto isSet = [&](const char* option) { return args.contains(QLatin1String(option)); };
    const auto value = [&](const char* option) {
        return isSet(option) ? args.value(args.indexOf(QLatin1String(option)) + 1) : QString();
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationService notifications;
    notifications.stuck = isSet("--stuck");
    notifications.log.setFileName(value("--log"));
    if (isSet("--log") && !notifications.log.open(QIODevice::WriteOnly | QIODevice::Append))
        return 2;
    StatusNotifierWatcher watcher;
    const auto exports = QDBusConnection::ExportAllContents;
    if (isSet("--notifications"))
        bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications, exports);
    if (isSet("--watcher"))
        bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, exports);

    QTimer::singleShot(value("--delay").toInt(), &app, [&] {
        if (isSet("--watcher") && !isSet("--host-delay"))
            watcher.registerHost();
        if ((isSet("--notifications")
                && !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
            || (isSet("--watcher") && !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))))
            QCoreApplication::exit(2);
        if (isSet("--watcher") && isSet("--host-delay"))
            QTimer::singleShot(value("--host-delay").toInt(), &app, [&] { watcher.registerHost(); });
    });

    QTimer busCheck;
    QObject::connect(&busCheck, &QTimer::timeout, &app, [&] {
        if (!bus.isConnected())
            QCoreApplication::quit();
    });
    busCheck.start(200);
    return app.exec();
}

#include "desktop_services_standin.moc"
