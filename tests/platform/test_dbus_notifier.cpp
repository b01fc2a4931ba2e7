#include "platform/linux/dbus_notifier.h"
#include "support/desktop_services_standin_process.h"
#include "support/private_session_bus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QTest>

using namespace chronolien;
using chronolien::test::DesktopServicesStandinProcess;

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");

bool serviceRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(Service);
}

QString recordedNotify(const QString& summary, const QString& body)
{
    return QStringList { QStringLiteral("Notify"), QStringLiteral("Chronolien"), QStringLiteral("chronolien"),
        summary, body }
        .join(QLatin1Char('\t'));
}

} // namespace

class TestDBusNotifier : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notifiesWhileTheServiceRunsOnly()
    {
        DBusNotifier notifier;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!notifier.notify(QStringLiteral("Courrier"), QStringLiteral("avant")));
        QCOMPARE_LT(clock.elapsed(), 500);

        DesktopServicesStandinProcess service({ QStringLiteral("--notifications") });
        QTRY_VERIFY(serviceRunning());
        QVERIFY(notifier.notify(QStringLiteral("Courrier"), QStringLiteral("pendant")));
        QTRY_COMPARE(service.calls(),
            QStringList { recordedNotify(QStringLiteral("Courrier"), QStringLiteral("pendant")) });

        service.stop();
        QTRY_VERIFY(!serviceRunning());
        QVERIFY(!notifier.notify(QStringLiteral("Courrier"), QStringLiteral("après")));
    }

    // The service shows the body as markup; the texts are plain, whatever characters they hold.
    void textsAreShownAsWritten_data()
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
    void textsAreShownAsWritten()
    {
        QFETCH(QString, summary);
        QFETCH(QString, body);
        QFETCH(QString, bodySent);
        DesktopServicesStandinProcess service({ QStringLiteral("--notifications") });
        QTRY_VERIFY(serviceRunning());
        DBusNotifier notifier;
        // The first goes out once the service's capabilities are known, the second straight away.
        QVERIFY(notifier.notify(summary, body));
        QTRY_COMPARE(service.calls().size(), 1);
        QVERIFY(notifier.notify(summary, body));
        QTRY_COMPARE(service.calls(), QStringList(2, recordedNotify(summary, bodySent)));
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
