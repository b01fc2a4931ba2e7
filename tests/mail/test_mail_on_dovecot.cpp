#include "loopback_relay.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "mail/mail_list_logic.h"
#include "platform/linux/module_socket_maker.h"
#include "recording_mail_view.h"
#include "state/app_state.h"
#include "support/dovecot_server.h"
#include "support/fakes.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// Alice's messages "Message 1"... from "Expediteur 1"..., of 3, 23, 43... body lines: the first
// one's dot-led line is among the ten TOP asks for.
bool startServer(DovecotServer& server, int count, const QStringList& certificateNames = {},
    const QString& password = QStringLiteral("secret1"))
{
    server.addUser(QStringLiteral("alice"), password);
    for (int n = 1; n <= count; ++n) {
        const QByteArray k = QByteArray::number(n);
        QByteArray m = "Return-Path: <bounce@liste.org>\nTo: alice@ici.fr\nFrom: Expediteur " + k + " <E" + k
            + "@Exemple.fr>\nSubject: Message " + k + "\nDate: " + k + " Feb 2004 10:15:00 +0100\n\n";
        for (int line = 3; line < n * 20; ++line)
            m += "ligne du corps\n";
        if (!server.addMessage(QStringLiteral("alice"), m + ".commence par un point\nFrom: pas un en-tete\n"))
            return false;
    }
    return (certificateNames.isEmpty() || server.makeCertificate(certificateNames)) && server.start();
}

// The program's mail side over real sockets: the list's logic, the check and the deletion.
struct MailRig {
    MailRig(AppState& state, quint16 firstCheckPort = 0, quint16 deletionPort = 0,
        std::chrono::milliseconds replyLimit = ServerReplyLimit,
        const QString& networkModule = QStringLiteral(CHRONOLIEN_NETWORK_MODULE))
        : sockets(networkModule)
        , windows(state)
        , logic(state, windows, sound, view, deleter)
        , checker(state, sound, messages, logic, sockets, firstCheckPort, replyLimit)
        , deleter(
              state, sockets, [this] { checker.startMailCheck(); }, deletionPort, replyLimit)
    {
    }
    ModuleSocketMaker sockets;
    RecordingWindows windows;
    FakeSoundPlayer sound;
    MessageBoxRecorder messages;
    RecordingMailView view;
    MailListLogic logic;
    MailChecker checker;
    MailDeleter deleter;
};

} // namespace

class TestMailOnDovecot : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;

    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }
    void useAccount(int n, const QString& server, const QString& password = QStringLiteral("secret1"))
    {
        account(n) = { qint16(n), server, "alice", password, 0, true };
    }
    void waitForCheck(int count)
    {
        QTRY_VERIFY_WITH_TIMEOUT(
            m_state->mailList.count == count && account(1).checkStep == CheckStep::AwaitingQuit, 15000);
    }
    QByteArray trace() const { return m_folder->readBytes(QStringLiteral("messages.txt")); }
    // The user trusts the server's own certificate: a copy in the application folder's certificats.
    bool trust(const DovecotServer& server, bool trusted = true) const
    {
        const QString copy = m_folder->file(QStringLiteral("certificats/serveur.pem"));
        QFile::remove(copy);
        return !trusted
            || (QDir().mkpath(m_folder->file(QStringLiteral("certificats")))
                && QFile::copy(server.certificatePath(), copy));
    }
    // The trace lines of a socket ("0" to "4", "supr"), each under the prefix "<n>".
    QStringList traceOf(const QByteArray& socket) const
    {
        const QByteArray prefix = '<' + socket + '>';
        QStringList lines;
        for (const QByteArray& line : trace().split('\n'))
            if (line.startsWith(prefix) && !line.contains("Tentative"))
                lines.append(QStringLiteral("<n>") + QString::fromLatin1(line.trimmed().mid(prefix.size())));
        return lines;
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString reason = DovecotServer::unavailableReason();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
    }

    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->appFolder = m_folder->path();
        m_state->settings.courrier = true;
        m_state->connectedFlag = true;
        m_state->settings.affiche_actu = true;
        m_state->debugSwitch = true;
    }

    // A name that does not resolve yet is tried three times, the account in error; the same checker
    // then reaches the server. No socket is left, and a plain server loads no TLS (so this runs first).
    void anUnresolvableHostThenTheServer()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, 2), qPrintable(server.errorString()));
        useAccount(1, QStringLiteral("pop.chronolien.invalid"));
        MailRig rig(*m_state);
        rig.checker.startMailCheck();
        QTRY_COMPARE_WITH_TIMEOUT(account(1).state, qint16(2), 30000);
        QCOMPARE(traceOf("0").filter(QStringLiteral("<n> 11001  ")).size(), 3);

        account(1).server = server.serverText();
        rig.checker.startMailCheck();
        waitForCheck(2);
        QCOMPARE(account(1).state, qint16(1));
        QTRY_COMPARE(rig.checker.openSockets(), 0);
        const QByteArray maps = readFileBytes(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.contains("libQt6Network"));
        QVERIFY2(!maps.contains("libssl") && !maps.contains("tls/libq"), "TLS was loaded for a plain server");
    }

    // Without the network module no connection is made: the account's check ends at once, in the
    // trace, and the log says why.
    void withoutTheNetworkModule()
    {
        useAccount(1, QStringLiteral("127.0.0.1"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("network module did not load")));
        MailRig rig(*m_state, 0, 0, ServerReplyLimit, m_folder->file(QStringLiteral("absent.so")));
        rig.checker.startMailCheck();
        QTRY_VERIFY(
            traceOf("0").contains(QStringLiteral("<n> -1  le module réseau de Chronolien ne se charge pas")));
        QCOMPARE(rig.checker.openSockets(), 0);
    }

    // In clear (1) and over TLS (2) with a non-ASCII password, from fixed local ports but one in use; a
    // refused port (3); over pop3s a server without TLS (4) and another name's certificate (5).
    void checkOfFiveAccounts()
    {
        const QString password = QStringLiteral("sécret1");
        DovecotServer server;
        QVERIFY2(startServer(server, 3, { "IP:127.0.0.1" }, password), qPrintable(server.errorString()));
        QVERIFY(trust(server));
        LoopbackRelay plainWire(server.port());
        LoopbackRelay secureWire(server.securePort());
        useAccount(1, plainWire.serverText(), password);
        useAccount(2, secureWire.serverText(QStringLiteral("pop3s://")), password);
        useAccount(3, QStringLiteral("127.0.0.1:") + QString::number(DovecotServer::freePort()));
        useAccount(4, QStringLiteral("pop3s://127.0.0.1:") + QString::number(server.port()));
        useAccount(5, QStringLiteral("pop3s://localhost:") + QString::number(server.securePort()));
        const quint16 first = DovecotServer::freePort();
        QTcpServer squatter; // holds account 2's fixed port
        QVERIFY(squatter.listen(QHostAddress::Any, quint16(first + 1)));

        MailRig rig(*m_state, first);
        rig.checker.startMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(account(1).checkStep == CheckStep::AwaitingQuit
                && account(2).checkStep == CheckStep::AwaitingQuit && account(3).state == 2
                && account(4).state == 2 && account(5).state == 2,
            20000);
        for (int i : { 0, 1 }) // the answers to QUIT
            QTRY_COMPARE_WITH_TIMEOUT(
                traceOf(QByteArray::number(i)).last().left(10), QStringLiteral("<n>  recu "), 5000);

        QVERIFY(account(1).state == 1 && account(2).state == 1);
        // Sizes from LIST: the messages' whole bytes, though TOP gave only their first lines.
        const QList<QByteArray> stored = server.storedMessages(QStringLiteral("alice"));
        QStringList listed;
        for (int e = 1; e <= m_state->mailList.count; ++e) {
            const MailEntry& m = m_state->mailList.entry(e);
            QCOMPARE(qRound(m.sizeKo * 1024), stored.at(m.messageNumber - 1).size());
            listed.append(QStringLiteral("%1 %2 %3").arg(m.account).arg(m.messageNumber).arg(m.subject));
        }
        listed.sort();
        QCOMPARE(listed,
            QStringList({ "1 1 message 1", "1 2 message 2", "1 3 message 3", "2 1 message 1", "2 2 message 2",
                "2 3 message 3" }));

        // Over TLS, the same dialogue line for line, after the fixed port found in use.
        QStringList secure = traceOf("1");
        QVERIFY(secure.takeFirst().startsWith(QStringLiteral("<n> 10048  ")));
        QCOMPARE(secure, traceOf("0"));
        QCOMPARE(traceOf("2").filter(QStringLiteral(" 10061  ")).size(), 3);
        QCOMPARE(traceOf("3").filter(QStringLiteral("TLS refusé : échec de la négociation TLS")).size(), 1);
        QCOMPARE(traceOf("4").filter(QStringLiteral("TLS refusé : certificat non vérifié : ")).size(), 1);
        QCOMPARE(traceOf("3").filter(QStringLiteral("envoi")) + traceOf("4").filter(QStringLiteral("envoi")),
            QStringList());

        QVERIFY(plainWire.sessions.size() == 1 && secureWire.sessions.size() == 1);
        const LoopbackRelay::Session inClear = plainWire.sessions.first();
        const LoopbackRelay::Session overTls = secureWire.sessions.first();
        QCOMPARE(inClear.peerPort, first);
        // In clear the password (in UTF-8) and the headers can be read; over TLS none of it.
        QVERIFY(
            inClear.fromClient.contains("\r\nPASS sécret1\r\n") && inClear.fromServer.contains("Message 2"));
        QVERIFY(overTls.fromServer.size() > inClear.fromServer.size());
        for (const char* clear : { "cret1", "PASS", "USER", "alice", "+OK", "Message 2" })
            QVERIFY2(!overTls.fromClient.contains(clear) && !overTls.fromServer.contains(clear), clear);
    }

    // A server that says nothing is given up after the reply limit (a second here), as a failure.
    void aSilentServerIsDroppedAfterTheLimit()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        useAccount(1, QStringLiteral("127.0.0.1:") + QString::number(silent.serverPort()));
        MailRig rig(*m_state, 0, 0, std::chrono::seconds(1));
        QElapsedTimer clock;
        clock.start();
        rig.checker.startMailCheck();
        QTRY_COMPARE_WITH_TIMEOUT(account(1).state, qint16(2), 10000);
        QVERIFY(clock.elapsed() >= 1000);
        QVERIFY(silent.hasPendingConnections());
        QCOMPARE(
            traceOf("0").last(), QStringLiteral("<n>  le serveur ne répond plus : connexion abandonnée"));
        QCOMPARE(rig.checker.openSockets(), 0);
    }

    // The second line of a list scrolled to entry 5 is deleted over TLS, the self-signed certificate
    // trusted, from another local port than the fixed one in use; untrusted, nothing is sent.
    void deletesTheEntryOnTheSecondLineOfAScrolledList()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, 8, { "IP:127.0.0.1" }), qPrintable(server.errorString()));
        QVERIFY(trust(server));
        LoopbackRelay relay(server.securePort());
        useAccount(1, relay.serverText(QStringLiteral("pop3s://")));
        const quint16 fixed = DovecotServer::freePort();
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, fixed));
        MailRig rig(*m_state, 0, fixed);
        rig.checker.startMailCheck();
        waitForCheck(8);
        QVERIFY(m_state->mailWindowShown);

        QVERIFY(trust(server, false));
        rig.deleter.startDeletion({ 1, 6, m_state->mailList.entry(6) });
        QTRY_VERIFY_WITH_TIMEOUT(trace().contains("<supr>  TLS refus"), 10000);
        QVERIFY(trust(server));

        rig.logic.scrollChanged(5);
        QCOMPARE(rig.view.lines.lines.at(1).caption, QStringLiteral("expediteur. : message 6"));
        rig.logic.linePressed(1);
        rig.windows.calls.clear();
        rig.logic.deleteSelectedMail();
        // The mail window closes at once...
        QVERIFY(!m_state->mailWindowShown);
        QCOMPARE(rig.windows.calls, QStringList({ "applyMailWindow" }));
        QCOMPARE(m_state->mailList.count, qint16(0));

        // ... and opens again when the check that follows the deletion finds the mail left.
        waitForCheck(7);
        QVERIFY(m_state->mailWindowShown);
        QCOMPARE(rig.windows.calls, QStringList({ "applyMailWindow", "applyMailWindow" }));
        const QList<QByteArray> stored = server.storedMessages(QStringLiteral("alice"));
        QCOMPARE(stored.size(), 7);
        QVERIFY(std::none_of(
            stored.cbegin(), stored.cend(), [](auto& m) { return m.contains("Message 6\r\n"); }));
        QCOMPARE(traceOf("supr").filter(QStringLiteral("envoi")),
            QStringList({ "<n>  envoi : USER alice", "<n>  envoi : PASS secret1", "<n>  envoi : top 6 0",
                "<n>  envoi : dele 6" }));
        QVERIFY(traceOf("supr").first().startsWith(QStringLiteral("<n> 10048  ")));
        const quint16 port = rig.deleter.localPort();
        QVERIFY(port >= 2000 && port <= 4999);
        QVERIFY(std::any_of(relay.sessions.cbegin(), relay.sessions.cend(),
            [port](const LoopbackRelay::Session& s) { return s.peerPort == port; }));
    }
};

QTEST_GUILESS_MAIN(TestMailOnDovecot)
#include "test_mail_on_dovecot.moc"
