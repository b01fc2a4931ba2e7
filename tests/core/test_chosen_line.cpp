#include "connection/chosen_line.h"
#include "core_rig.h"
#include "platform/linux/network_manager_line.h"
#include "platform/linux/ppp_line.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

// Runs inside tests/support/nm_sandbox.sh: the program's logic over the chosen line and a real
// NetworkManager with its tun connection "ligne-test", the windows, sounds and clock faked.

namespace {

const QString LineName = QStringLiteral("ligne-test");

// The core wired as the program wires it: the chosen line, and the connection actions on the ticks.
struct ProgramRig : CoreRig {
    ProgramRig()
        : CoreRig([](AppState& state) {
            return std::make_unique<ChosenLine>(state.settings.ligne, [](const LineChoice& choice) {
                return choice.isDialUp()
                    ? std::unique_ptr<Line>(std::make_unique<PppLine>(std::make_unique<LinkEvents>()))
                    : std::make_unique<NetworkManagerLine>(choice.networkManagerConnection);
            });
        })
    {
        then[QStringLiteral("lineUp")] = [this] { actions.onConnect(); };
        then[QStringLiteral("lineDown")] = [this] { actions.onDisconnect(); };
    }
    // Ticks, letting NetworkManager's signals in between, until the line is as wanted; false after 10 s.
    bool tickUntilConnected(bool connected)
    {
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QTest::qWait(100)) {
            tickAfter(1);
            if (state.connectedFlag == connected)
                return true;
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
        rig.tickAfter(1); // the dial-up line of a fresh config.ini, which the sandbox does not have
        // Chosen (the line page's test shows it stored), the connection is the line from the next tick.
        s.ligne = LineChoice { LineName };

        // "Connecter" activates it; its time is counted and its device's counters read.
        rig.monitor.toggleConnection(rig.state.connectedFlag);
        QVERIFY(rig.tickUntilConnected(true));
        const qint32 month = s.cpt_mois;
        rig.tickAfter(1);
        rig.tickAfter(1);
        QCOMPARE(s.cpt_mois, month + 2);
        QVERIFY(rig.line().traffic());

        // The allowance runs out with the forced hang-up: NetworkManager takes the connection down.
        s.forfait = true;
        s.alerte2 = true;
        s.cpt_limite = s.cpt_mois;
        QVERIFY(rig.tickUntilConnected(false));
        s.forfait = false;

        // Taken down from outside: the first tick after NetworkManager said so runs the disconnection.
        rig.monitor.dial();
        QVERIFY(rig.tickUntilConnected(true));
        QCOMPARE(QProcess::execute(QStringLiteral("nmcli"),
                     { QStringLiteral("connection"), QStringLiteral("down"), LineName }),
            0);
        QTRY_COMPARE(rig.line().state(), Line::State::Down);
        rig.tickAfter(1);
        QVERIFY(!rig.state.connectedFlag);

        // The permanent connection activates it again.
        s.connect_auto = true;
        QVERIFY(rig.tickUntilConnected(true));

        QCOMPARE(rig.log.filter(QRegularExpression(QStringLiteral("^line"))).join(u' '),
            QStringLiteral("lineUp lineDown lineUp lineDown lineUp"));
    }
};

QTEST_MAIN(TestChosenLine)
#include "test_chosen_line.moc"
