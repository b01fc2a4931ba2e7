#include "config_dialog/config_dialog_context.h"
#include "config_dialog/dialog_rig.h"
#include "config_dialog/line_page.h"
#include "connection/chosen_line.h"
#include "core/application.h"
#include "core/connection_actions.h"
#include "core/ticker.h"
#include "history/connection_history.h"
#include "platform/linux/network_manager_connections.h"
#include "platform/linux/network_manager_line.h"
#include "platform/linux/ppp_line.h"

#include <QListWidget>
#include <QProcess>
#include <QPushButton>

using namespace chronolien;
using namespace chronolien::test;

// Runs inside tests/support/nm_sandbox.sh: the program's logic, the line page and the chosen line
// over a real NetworkManager with its tun connection "ligne-test", the windows, sounds and clock
// faked.

namespace {

const QString LineName = QStringLiteral("ligne-test");

std::unique_ptr<Line> systemLine(const LineChoice& choice)
{
    if (choice.isDialUp())
        return std::make_unique<PppLine>();
    return std::make_unique<NetworkManagerLine>(choice.networkManagerConnection);
}

// The program's parts over the chosen line, wired as the program wires them, in a fresh folder.
struct ProgramRig {
    TempAppFolder folder;
    AppState state;
    Fakes fakes;
    SettingsFile file { folder.file(QStringLiteral("config.ini")), fakes.messages };
    SettingsStore settings { state.settings, file };
    RecordingWindows windows { state };
    ChosenLine line { state.settings.ligne, systemLine };
    ConnectionMonitor monitor { line };
    TimeAccounting accounting { state, settings, fakes.clock, fakes.messages, windows, monitor };
    int mailChecks = 0;
    ConnectionActions actions { state, windows, fakes.sound, fakes.processes, accounting,
        [this] { ++mailChecks; } };
    ConnectionHistory history { folder.file(QStringLiteral("historique.csv")) };
    Ticker ticker { state, settings, fakes.clock, line, monitor, accounting, history,
        { [this] { actions.onConnect(); }, [this] { actions.onDisconnect(); }, [] {}, [] {} } };
    Application application { state, settings, fakes.clock, fakes.messages, windows, accounting, ticker, {} };
    CancelledFileChooser chooser;
    AboutBoxOpener about { fakes.processes };
    ConfigDialogContext context { state, settings, fakes.messages, fakes.sound, fakes.processes, accounting,
        windows, chooser, about, [] {}, [] { return networkManagerConnectionNames(); } };
    LinePage page { context };

    ProgramRig() { application.initApplication(folder.path()); }

    void tick()
    {
        fakes.clock.advance(1);
        ticker.mainTick();
    }
    // Ticks, letting NetworkManager's signals in between ticks, until the program sees the line as
    // wanted; false after ten seconds.
    bool tickUntilConnected(bool connected)
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            tick();
            if (state.connectedFlag == connected)
                return true;
            QTest::qWait(100);
        }
        return false;
    }
};

} // namespace

class TestChosenLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("NM_SANDBOX"))
            QSKIP("needs the NetworkManager of tests/support/nm_sandbox.sh");
    }

    void countsDialsAndHangsUpTheChosenConnection()
    {
        ProgramRig rig;
        Settings& s = rig.state.settings;
        rig.tick(); // the dial-up line of a fresh config.ini, which the sandbox does not have

        // Chosen on the page, the connection is the line from the next tick on.
        rig.page.load(0);
        auto* list = rig.page.findChild<QListWidget*>(QStringLiteral("lst_ligne"));
        const QList<QListWidgetItem*> listed = list->findItems(LineName, Qt::MatchExactly);
        QCOMPARE(listed.size(), 1);
        list->setCurrentItem(listed.first());
        QTest::mouseClick(rig.page.validateButton(), Qt::LeftButton);
        QCOMPARE(rig.file.readKey(QStringLiteral("ligne")), QStringLiteral("nm:") + LineName);

        // "Connecter" activates it; its time is counted and its device's counters read.
        rig.monitor.toggleConnection(rig.state.connectedFlag);
        QVERIFY(rig.tickUntilConnected(true));
        QCOMPARE(rig.mailChecks, 1);
        const qint32 month = s.cpt_mois;
        rig.tick();
        rig.tick();
        QCOMPARE(s.cpt_mois, month + 2);
        QVERIFY(rig.line.traffic());

        // The allowance runs out with the forced hang-up: NetworkManager takes the connection down.
        s.forfait = true;
        s.alerte2 = true;
        s.cpt_limite = s.cpt_mois;
        QVERIFY(rig.tickUntilConnected(false));
        QVERIFY(rig.fakes.messages.texts().contains(
            QStringLiteral("Votre connection a été interrompu car votre forfait a expiré.")));
        s.forfait = false;

        // Taken down from outside: the first tick after NetworkManager said so runs the disconnection.
        rig.monitor.dial();
        QVERIFY(rig.tickUntilConnected(true));
        QCOMPARE(QProcess::execute(QStringLiteral("nmcli"),
                     { QStringLiteral("connection"), QStringLiteral("down"), LineName }),
            0);
        QTRY_COMPARE(rig.line.state(), Line::State::Down);
        rig.tick();
        QVERIFY(!rig.state.connectedFlag);
        QCOMPARE(rig.state.sessionSeconds, 0);

        // The permanent connection activates it again.
        s.connect_auto = true;
        QVERIFY(rig.tickUntilConnected(true));

        const QStringList captions = rig.windows.calls.filter(QStringLiteral("setConnectCaptions"));
        QCOMPARE(captions.join(u' '),
            QStringLiteral("setConnectCaptions(1) setConnectCaptions(0) setConnectCaptions(1) "
                           "setConnectCaptions(0) setConnectCaptions(1)"));
    }
};

QTEST_MAIN(TestChosenLine)
#include "test_chosen_line.moc"
