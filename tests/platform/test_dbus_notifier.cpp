#include "platform/linux/dbus_notifier.h"
#include "support/desktop_services_standin_process.h"
#include "support/private_session_bus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QTest>
#include <optional>

using namespace chronolien;
using chronolien::test::DesktopServicesStandinProcess;

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");

bool serviceRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(Service);
}

} // namespace

class TestDBusNotifier : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The caller is the user interface: it never waits for the service, nor for the lack of one.
    void returnsAtOnce_data()
    {
        QTest::addColumn<QStringList>("serviceOptions");
        QTest::addColumn<bool>("sent");
        QTest::newRow("no service") << QStringList() << false;
        QTest::newRow("service not answering")
            << QStringList { QStringLiteral("--notifications"), QStringLiteral("--stuck") } << true;
    }
    void returnsAtOnce()
    {
        QFETCH(QStringList, serviceOptions);
        QFETCH(bool, sent);
        std::optional<DesktopServicesStandinProcess> service;
        if (!serviceOptions.isEmpty()) {
            service.emplace(serviceOptions);
            QTRY_VERIFY(serviceRunning());
        }
        DBusNotifier notifier;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(notifier.notify(QStringLiteral("Courrier"), QStringLiteral("un")), sent);
        QCOMPARE(notifier.notify(QStringLiteral("Courrier"), QStringLiteral("deux")), sent);
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
        QVERIFY(!notifier.notify(summary, body));
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
};

int main(int argc, char** argv)
{
    chronolien::test::runOnPrivateSessionBus(argc, argv);
    QCoreApplication app(argc, argv);
    TestDBusNotifier test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dbus_notifier.moc"
