#include "mail/new_mail_announcer.h"
#include "platform/linux/dbus_notifier.h"
#include "state/app_state.h"
#include "support/desktop_services_standin_process.h"
#include "support/private_session_bus.h"
#include "support/recording_mail_list_events.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

MailEntry message(int minute, const char* name, const char* subject)
{
    const QString sender = QString::fromUtf8(name);
    return { {}, sender.section(u' ', 0, 0) + "@exemple.fr", sender,
        QDateTime(QDate(2026, 12, 6), QTime(9, minute), Qt::UTC), 0, QString::fromUtf8(subject), 0, 1 };
}

bool notificationServiceRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.Notifications"));
}

} // namespace

class TestNewMailAnnouncer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Checks as the dialogues run them, the list emptied then filled a message at a time: the desktop
    // hears once per check of what is new in any order or number, nothing with mail checking off, and
    // without a notification service the tray's balloon says it.
    void announcesEachMessageOnce()
    {
        AppState state;
        state.settings.courrier = true;
        RecordingMailListEvents window(state);
        DBusNotifier notifier;
        QStringList balloons;
        NewMailAnnouncer announcer(
            state, window, notifier,
            [&](const QString& title, const QString& text) { balloons.append(title + u'|' + text); }, 50);
        DesktopServicesStandinProcess service({ QStringLiteral("--notifications") });
        QTRY_VERIFY(notificationServiceRunning());

        const MailEntry jean = message(1, "jean dupont", "rendez-vous jeudi");
        const MailEntry claire = message(2, "claire martin", "photos des vacances");
        const MailEntry paul = message(3, "paul", "");
        const MailEntry marie = message(4, "marie curie", "résultats");
        const auto check = [&](const QList<MailEntry>& found) {
            state.mailList.count = 0;
            announcer.refreshMailState();
            for (const MailEntry& entry : found) {
                state.mailList.entry(++state.mailList.count) = entry;
                announcer.refreshMailState();
            }
            QTest::qWait(300);
        };

        check({ jean, claire });
        QTRY_COMPARE(service.calls().size(), 1);
        MailEntry claireAgain = claire; // another number, its size known now
        claireAgain.messageNumber = 1;
        claireAgain.sizeKo = 2.5f;
        check({ claireAgain, jean });
        state.settings.courrier = false;
        check({ jean, claire, paul });
        state.settings.courrier = true;
        check({ jean, paul, claire, marie });
        // The third check's call, had there been one, would have come before the fourth's.
        QTRY_COMPARE(service.calls().size(), 2);
        QCOMPARE(service.calls(),
            QStringList({ DesktopServicesStandinProcess::notifyCall(QStringLiteral("2 nouveaux messages"),
                              QStringLiteral("De : jean dupont — rendez-vous jeudi")),
                DesktopServicesStandinProcess::notifyCall(
                    QStringLiteral("2 nouveaux messages"), QStringLiteral("De : paul — (sans objet)")) }));
        QCOMPARE(window.refreshCounts, (QList<int> { 0, 1, 2, 0, 1, 2, 0, 1, 2, 3, 0, 1, 2, 3, 4 }));
        QVERIFY(balloons.isEmpty());

        service.stop();
        QTRY_VERIFY(!notificationServiceRunning());
        check({ jean, paul, claire, marie, paul });
        QTRY_COMPARE(balloons, QStringList { QStringLiteral("1 nouveau message|De : paul — (sans objet)") });
    }
};

int main(int argc, char** argv)
{
    chronolien::test::runOnPrivateSessionBus(argc, argv);
    QCoreApplication app(argc, argv);
    TestNewMailAnnouncer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_new_mail_announcer.moc"
