// Stand-ins for the desktop's services, for tests on a private session bus: a notification service
// and a StatusNotifierItem watcher, each writing the calls it gets to a log, one line per call with
// tab-separated fields, flushed at once so that a test can read it while the stand-in runs.
//   desktop_services_standin [--notifications [--stuck]] [--watcher] [--log FILE] [--delay MS]
//                            [--host-delay MS]
// --stuck: the notification service takes its calls but never answers; --delay: the names are taken
// after this long; --host-delay: the watcher's tray host registers this long after the watcher
// starts, instead of being there from the start.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

namespace {

class CallLog {
public:
    explicit CallLog(const QString& path)
        : m_file(path)
    {
        if (!path.isEmpty())
            m_file.open(QIODevice::WriteOnly | QIODevice::Append);
    }
    void write(QStringList fields)
    {
        for (QString& field : fields)
            field.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        m_file.write(fields.join(QLatin1Char('\t')).toUtf8() + '\n');
        m_file.flush();
    }

private:
    QFile m_file;
};

class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    NotificationService(CallLog& log, bool stuck)
        : m_log(log)
        , m_stuck(stuck)
    {
    }

public Q_SLOTS:
    uint Notify(const QString& appName, uint, const QString& icon, const QString& summary,
        const QString& body, const QStringList&, const QVariantMap&, int)
    {
        m_log.write({ QStringLiteral("Notify"), appName, icon, summary, body });
        hangIfStuck();
        return ++m_lastId;
    }
    QStringList GetCapabilities()
    {
        hangIfStuck();
        return { QStringLiteral("body"), QStringLiteral("body-markup") };
    }
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion)
    {
        vendor = QStringLiteral("tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("desktop_services_standin");
    }
    void CloseNotification(uint) { }

private:
    void hangIfStuck()
    {
        if (m_stuck)
            QThread::sleep(3600);
    }

    CallLog& m_log;
    bool m_stuck;
    uint m_lastId = 0;
};

class StatusNotifierWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    explicit StatusNotifierWatcher(CallLog& log)
        : m_log(log)
    {
    }
    QStringList items() const { return m_items; }
    bool hostRegistered() const { return m_hostRegistered; }
    int protocolVersion() const { return 0; }
    void registerHost()
    {
        m_hostRegistered = true;
        Q_EMIT StatusNotifierHostRegistered();
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& serviceOrPath)
    {
        m_log.write({ QStringLiteral("RegisterStatusNotifierItem"), serviceOrPath });
        // An item may give only its object path; its bus name is then the caller's.
        const QString item = serviceOrPath.startsWith(QLatin1Char('/')) ? message().service() + serviceOrPath
                                                                        : serviceOrPath;
        m_items.append(item);
        Q_EMIT StatusNotifierItemRegistered(item);
    }

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private:
    CallLog& m_log;
    QStringList m_items;
    bool m_hostRegistered = false;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    const QCommandLineOption notifications(QStringLiteral("notifications"));
    const QCommandLineOption stuck(QStringLiteral("stuck"));
    const QCommandLineOption watcher(QStringLiteral("watcher"));
    const QCommandLineOption log(QStringLiteral("log"), QString(), QStringLiteral("file"));
    const QCommandLineOption delay(
        QStringLiteral("delay"), QString(), QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption hostDelay(QStringLiteral("host-delay"), QString(), QStringLiteral("ms"));
    options.addOptions({ notifications, stuck, watcher, log, delay, hostDelay });
    options.process(app);

    QDBusConnection bus = QDBusConnection::sessionBus();
    CallLog calls(options.value(log));
    NotificationService notificationService(calls, options.isSet(stuck));
    StatusNotifierWatcher watcherService(calls);
    const auto exports = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
        | QDBusConnection::ExportAllProperties;
    if (options.isSet(notifications))
        bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notificationService, exports);
    if (options.isSet(watcher))
        bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcherService, exports);

    QTimer::singleShot(options.value(delay).toInt(), &app, [&] {
        if (options.isSet(notifications)
            && !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
            QCoreApplication::exit(2);
        if (!options.isSet(watcher))
            return;
        if (!bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")))
            QCoreApplication::exit(2);
        if (!options.isSet(hostDelay))
            watcherService.registerHost();
        else
            QTimer::singleShot(
                options.value(hostDelay).toInt(), &app, [&] { watcherService.registerHost(); });
    });
    // Ends with its bus, which ends with the test, even one that crashed or started it on demand.
    QTimer busCheck;
    QObject::connect(&busCheck, &QTimer::timeout, &app, [&] {
        if (!bus.isConnected())
            QCoreApplication::quit();
    });
    busCheck.start(200);
    return app.exec();
}

#include "desktop_services_standin.moc"
