#include "accounting/time_accounting.h"
#include "connection/connection_monitor.h"
#include "core/connection_actions.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/logic_rig.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

struct Rig : LogicRig {
    int mailChecks = 0;
    ConnectionActions actions { state, windows, fakes.sound, fakes.processes, accounting,
        [this] { ++mailChecks; } };

    Rig()
    {
        state.appFolder = folder.path();
        state.settings = Settings::defaults(folder.path(), fakes.clock.today());
        state.settings.affiche_actu = false;
        folder.writeBytes(QStringLiteral("connect.wav"), "RIFF");
        folder.writeBytes(QStringLiteral("deconnect.wav"), "RIFF");
        state.settings.son_connect = folder.file(QStringLiteral("connect.wav"));
        state.settings.son_deconnect = folder.file(QStringLiteral("deconnect.wav"));
    }
};

} // namespace

class TestConnectionActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void connectThenDisconnectByTheFlags_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("opensAtConnection");
        QTest::addColumn<bool>("closesAtDisconnection");
        QTest::newRow("default") << "01000" << true << true;
        QTest::newRow("always and connected") << "11000" << true << false;
        QTest::newRow("connected and last time") << "01001" << true << false;
        QTest::newRow("mail only") << "00100" << false << true;
        QTest::newRow("nothing") << "00000" << false << false;
    }
    void connectThenDisconnectByTheFlags()
    {
        QFETCH(QString, flags);
        QFETCH(bool, opensAtConnection);
        QFETCH(bool, closesAtDisconnection);
        Rig rig;
        rig.state.settings.affiche_auto = flags;
        rig.actions.onConnect();
        QCOMPARE(rig.windows.callsOf(QStringLiteral("showFloatingWindow")).size(), opensAtConnection ? 1 : 0);

        rig.state.settings.affiche_actu = true; // shown, by the flags or by the user
        rig.windows.calls.clear();
        rig.actions.onDisconnect();
        QCOMPARE(
            rig.windows.callsOf(QStringLiteral("hideFloatingWindow")).size(), closesAtDisconnection ? 1 : 0);
    }

    void connectionInOrder()
    {
        Rig rig;
        rig.actions.onConnect();
        QCOMPARE(rig.windows.calls,
            (QStringList { QStringLiteral("showFloatingWindow"), QStringLiteral("loadCentreSkin(1)"),
                QStringLiteral("setConnectCaptions(1)") }));
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.state.settings.son_connect });
        QCOMPARE(rig.mailChecks, 1);
    }

    void disconnectionResetsTheSessionAndTheLights()
    {
        Rig rig;
        rig.state.sessionSeconds = 3725;
        rig.windows.downLight = rig.windows.upLight = true;
        rig.state.mailWindowShown = true;
        rig.actions.onDisconnect();
        QVERIFY(!rig.windows.downLight);
        QVERIFY(!rig.windows.upLight);
        QCOMPARE(rig.state.sessionSeconds, 0);
        QCOMPARE(rig.windows.sessionText, QStringLiteral("0:00:00"));
        QVERIFY(rig.windows.calls.contains(QStringLiteral("loadCentreSkin(0)")));
        QVERIFY(!rig.windows.captionsConnected);
        QCOMPARE(rig.fakes.sound.played, QStringList { rig.state.settings.son_deconnect });
        QVERIFY(!rig.state.mailWindowShown);
        QCOMPARE(rig.windows.callsOf(QStringLiteral("applyMailWindow")).size(), 1);
        QCOMPARE(rig.mailChecks, 0);
    }

    void programsThatExistStartInOrder()
    {
        Rig rig;
        rig.folder.writeBytes(QStringLiteral("a.sh"), "#!/bin/sh\n");
        rig.folder.writeBytes(QStringLiteral("b.sh"), "#!/bin/sh\n");
        const QString a = rig.folder.file(QStringLiteral("a.sh"));
        const QString b = rig.folder.file(QStringLiteral("b.sh"));
        rig.state.commandLists[0].entries = { rig.folder.file(QStringLiteral("missing.sh")), a,
            a + QStringLiteral(" --arg"), rig.folder.path(), b };
        rig.state.commandLists[1].entries = { b };
        rig.actions.onConnect();
        QCOMPARE(rig.fakes.processes.started, (QStringList { a, b }));
        rig.actions.onDisconnect();
        QCOMPARE(rig.fakes.processes.started, (QStringList { a, b, b }));
    }

    void soundsOffOrMissingPlayNothing_data()
    {
        QTest::addColumn<bool>("sons");
        QTest::addColumn<QString>("path");
        QTest::newRow("sounds off") << false << "connect.wav";
        QTest::newRow("no sound for the event") << true << "0";
        QTest::newRow("missing file") << true << "nothing.wav";
    }
    void soundsOffOrMissingPlayNothing()
    {
        QFETCH(bool, sons);
        QFETCH(QString, path);
        Rig rig;
        rig.state.settings.sons = sons;
        rig.state.settings.son_connect = path == QStringLiteral("0") ? path : rig.folder.file(path);
        rig.state.commandLists[0].entries = { rig.folder.file(QStringLiteral("connect.wav")) };
        rig.actions.onConnect();
        QVERIFY(rig.fakes.sound.played.isEmpty());
        QCOMPARE(rig.fakes.processes.started.size(), 1); // the programs still run
    }
};

QTEST_GUILESS_MAIN(TestConnectionActions)
#include "test_connection_actions.moc"
