#include "loopback_relay.h"
#include "mail/accounts_file.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "mail/mail_list_logic.h"
#include "recording_mail_view.h"
#include "state/app_state.h"
#include "support/dovecot_server.h"
#include "support/fake_sound_player.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QByteArray message(
    const QByteArray& from, const QByteArray& subject, const QByteArray& date, int bodyLines = 1)
{
    QByteArray m = "Return-Path: <bounce@liste.org>\nReceived: from mx by pop\nTo: alice@ici.fr\nFrom: "
        + from + "\nSubject: " + subject + "\nDate: " + date + "\nMIME-Version: 1.0\n\n";
    for (int k = 0; k < bodyLines; ++k)
        m += "ligne " + QByteArray::number(k) + " du corps\n";
    return m + ".commence par un point\nFrom: pas un en-tete\n";
}

// Alice's mailbox with messages "Message 1" to "Message <count>" from "Expediteur 1"...
bool startServer(DovecotServer& server, int count, const QStringList& certificateNames = {})
{
    server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
    for (int n = 1; n <= count; ++n) {
        const QByteArray k = QByteArray::number(n);
        if (!server.addMessage(QStringLiteral("alice"),
                message("Expediteur " + k + " <e" + k + "@exemple.fr>", "Message " + k,
                    k + " Feb 2004 10:15:00 GMT")))
            return false;
    }
    return (certificateNames.isEmpty() || server.makeCertificate(certificateNames)) && server.start();
}

QStringList storedSubjects(const DovecotServer& server)
{
    QStringList list;
    for (const QByteArray& m : server.storedMessages(QStringLiteral("alice"))) {
        const qsizetype start = m.indexOf("Subject: ") + 9;
        list.append(QString::fromLatin1(m.mid(start, m.indexOf("\r\n", start) - start)));
    }
    return list;
}

// The program's mail side over real sockets: the list's logic, the check and the deletion.
struct MailRig {
    MailRig(AppState& state, quint16 firstCheckPort = 0, quint16 deletionPort = 0,
        std::chrono::milliseconds replyLimit = ServerReplyLimit)
        : windows(state)
        , logic(state, windows, sound, view, deleter)
        , checker(state, sound, messages, logic, firstCheckPort, replyLimit)
        , deleter(
              state, [this] { checker.startMailCheck(); }, deletionPort, replyLimit)
    {
    }
    RecordingWindows windows;
    FakeSoundPlayer sound;
    MessageBoxRecorder messages;
    RecordingMailView view;
    MailListLogic logic;
    MailChecker checker;
    MailDeleter deleter;
};

} // namespace

// The check and the deletion on real sockets against a real server: in clear, over TLS when the
// certificate verifies, and with nothing sent when it does not.
class TestMailOnDovecot : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;

    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }
    void useAccount(int n, const QString& server, const QString& password = QStringLiteral("secret1"))
    {
        account(n).number = qint16(n);
        account(n).server = server;
        account(n).login = QStringLiteral("alice");
        account(n).password = password;
        account(n).inUse = true;
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
    // Socket i's trace lines, each under the prefix "<n>".
    QStringList traceOf(int i) const
    {
        const QByteArray prefix = '<' + QByteArray::number(i) + '>';
        QStringList lines;
        for (const QByteArray& line : trace().split('\n')) {
            if (line.startsWith(prefix) && !line.contains("Tentative"))
                lines.append(QStringLiteral("<n>") + QString::fromLatin1(line.trimmed().mid(prefix.size())));
        }
        return lines;
    }
    QList<qint16> storedStates() const
    {
        MailboxAccounts stored;
        loadAccounts(stored, m_folder->file(QStringLiteral("courrier.ini")));
        QList<qint16> states;
        for (int n = 1; n <= 4; ++n)
            states.append(stored.account(n).state);
        return states;
    }
    // Every entry of account n: number, sender, address, recipient, subject, date, size in bytes.
    QStringList entriesOf(int n) const
    {
        QStringList entries;
        for (int e = 1; e <= m_state->mailList.count; ++e) {
            const MailEntry& m = m_state->mailList.entry(e);
            if (m.account == n)
                entries.append(QStringList(
                    { QString::number(m.messageNumber), m.senderName, m.senderAddress, m.recipient, m.subject,
                        m.date.toString(Qt::ISODate), QString::number(qRound(m.sizeKo * 1024)) })
                                   .join(u'|'));
        }
        return entries;
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

    // A name that does not resolve (a DNS not ready yet) is tried three times and puts the account in
    // error; the same running checker and deleter reach the server as soon as the name is one that
    // does. No socket is left between checks, and a plain server loads nothing of TLS (this test
    // comes first, before any TLS check).
    void anUnresolvableHostThenTheServer()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, 2), qPrintable(server.errorString()));
        useAccount(1, QStringLiteral("pop.chronolien.invalid"));
        MailRig rig(*m_state);
        QCOMPARE(rig.checker.openSockets(), 0);
        rig.checker.startMailCheck();
        QTRY_COMPARE_WITH_TIMEOUT(account(1).state, qint16(2), 30000);
        QCOMPARE(storedStates().first(), qint16(2));
        QCOMPARE(trace().count("<1>  Tentative de connection"), 3);
        QCOMPARE(traceOf(0).filter(QStringLiteral("<n> 11001  ")).size(), 3);
        rig.deleter.startDeletion({ 1, 1, MailEntry() });
        QTRY_VERIFY_WITH_TIMEOUT(trace().contains("<supr> 11001  "), 30000);

        account(1).server = server.serverText();
        rig.checker.startMailCheck();
        waitForCheck(2);
        QCOMPARE(storedStates().first(), qint16(1));
        rig.deleter.startDeletion({ 1, 1, m_state->mailList.entry(1) });
        QTRY_COMPARE_WITH_TIMEOUT(storedSubjects(server), QStringList({ "Message 2" }), 15000);
        waitForCheck(1);
        QTRY_COMPARE(rig.checker.openSockets(), 0);
        const QByteArray maps = readFileBytes(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.contains("libQt6Network"));
        QVERIFY2(!maps.contains("libssl") && !maps.contains("tls/libq"), "TLS was loaded for a plain server");
    }

    // Alice's mailbox in clear (1) and over TLS (2), both with a password that is not ASCII, a
    // wrong password (3) and a refused port (4), each from its fixed local port but for the one in
    // use.
    void checkOfFourAccounts()
    {
        const QString password = QStringLiteral("sécret1");
        DovecotServer server;
        server.addUser(QStringLiteral("alice"), password);
        QList<QByteArray> mails {
            message("\"Jean Dupont\" <Jean@Exemple.fr>", "=?utf-8?q?R=C3=A9union?= demain",
                "Tue, 3 Feb 2004 10:15:00 +0100", 3),
            message("marie@exemple.fr", "Facture", "3 Aug 2004 08:00:00 GMT", 40),
            message("Service Clients <sc@boutique.fr>", "Votre commande", "Mon, 5 Jan 04 01:02 +0000", 200),
        };
        for (QByteArray& m : mails) {
            QVERIFY(server.addMessage(QStringLiteral("alice"), m));
            m.replace("\n", "\r\n");
        }
        QVERIFY(server.makeCertificate({ QStringLiteral("DNS:localhost"), QStringLiteral("IP:127.0.0.1") }));
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(trust(server));
        LoopbackRelay plainWire(server.port());
        LoopbackRelay secureWire(server.securePort());
        useAccount(1, plainWire.serverText(), password);
        useAccount(2, secureWire.serverText(QStringLiteral("pop3s://")), password);
        useAccount(3, server.serverText(), QStringLiteral("wrong"));
        useAccount(4, QStringLiteral("127.0.0.1:") + QString::number(DovecotServer::freePort()));
        const quint16 first = DovecotServer::freePort();
        QTcpServer squatter; // holds account 2's fixed port
        QVERIFY(squatter.listen(QHostAddress::Any, quint16(first + 1)));

        MailRig rig(*m_state, first);
        rig.checker.startMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(account(1).checkStep == CheckStep::AwaitingQuit
                && account(2).checkStep == CheckStep::AwaitingQuit && account(3).state == 2
                && account(4).state == 2,
            20000);
        for (int i : { 0, 1 }) // the answers to QUIT
            QTRY_COMPARE_WITH_TIMEOUT(traceOf(i).last().left(10), QStringLiteral("<n>  recu "), 5000);

        QCOMPARE(storedStates(), QList<qint16>({ 1, 1, 2, 2 }));
        QCOMPARE(entriesOf(1),
            QStringList({ "1|jean dupont|jean@exemple.fr|alice@ici.fr|réunion demain|2004-02-03T10:15:00Z|"
                    + QString::number(mails[0].size()),
                "2|marie@exemple.fr|marie@exemple.fr|alice@ici.fr|facture|2004-08-03T08:00:00Z|"
                    + QString::number(mails[1].size()),
                "3|service clients|sc@boutique.fr|alice@ici.fr|votre commande|2004-01-05T01:02:00Z|"
                    + QString::number(mails[2].size()) }));
        QCOMPARE(entriesOf(2), entriesOf(1));

        const QStringList plain = traceOf(0);
        QCOMPARE(plain.mid(0, 6),
            QStringList(
                { "<n>  connecté", "<n>  recu : +OK Dovecot (Debian) ready.", "<n>  envoi : USER alice",
                    "<n>  recu : +OK", "<n>  envoi : PASS sécret1", "<n>  recu : +OK Logged in." }));
        QCOMPARE(plain.filter(QStringLiteral("envoi")).mid(2),
            QStringList({ "<n>  envoi : STAT", "<n>  envoi : top 1 10", "<n>  envoi : top 2 10",
                "<n>  envoi : top 3 10", "<n>  envoi : LIST", "<n>  envoi : QUIT" }));
        // Over TLS, the same dialogue line for line, after the fixed port found in use.
        QStringList secure = traceOf(1);
        QVERIFY(secure.takeFirst().startsWith(QStringLiteral("<n> 10048  ")));
        QCOMPARE(secure, plain);
        QVERIFY(traceOf(2).contains(QStringLiteral("<n>  recu : -ERR [AUTH] Authentication failed.")));
        QCOMPARE(traceOf(3).filter(QStringLiteral(" 10061  ")).size(), 3);
        QCOMPARE(trace().count("<4>  Tentative de connection"), 3);

        QCOMPARE(plainWire.sessions.size(), 1);
        QCOMPARE(secureWire.sessions.size(), 1);
        const LoopbackRelay::Session plainSession = plainWire.sessions.first();
        const LoopbackRelay::Session secureSession = secureWire.sessions.first();
        QCOMPARE(plainSession.peerPort, first);
        QVERIFY(rig.checker.localPort(1) >= 2000 && rig.checker.localPort(1) <= 4999);
        QCOMPARE(secureSession.peerPort, rig.checker.localPort(1));

        // The capture works: in clear, the password (in UTF-8, as the server took it) and the
        // headers are there to read; over TLS, the same dialogue went through and none of it can be
        // read.
        QVERIFY(plainSession.fromClient.contains("\r\nPASS s\xc3\xa9"
                                                 "cret1\r\n"));
        QVERIFY(plainSession.fromServer.contains("Subject: Facture"));
        QVERIFY(secureSession.fromServer.size() > plainSession.fromServer.size());
        for (const char* secret : { "cret1", "PASS", "USER", "alice" })
            QVERIFY2(!secureSession.fromClient.contains(secret), secret);
        QVERIFY(!secureSession.fromServer.contains("+OK"));
        QVERIFY(!secureSession.fromServer.contains("Facture"));
    }

    void tlsVerification_data()
    {
        QTest::addColumn<QStringList>("certificateNames");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<bool>("plainPort");
        QTest::addColumn<QString>("refusal"); // what the trace names; empty when the check goes through
        const QString unverified = QStringLiteral("certificat non vérifié : ");
        const QStringList name { "DNS:localhost" };
        const QStringList address { "IP:127.0.0.1" };
        QTest::newRow("name, reached by name") << name << "localhost" << true << false << "";
        QTest::newRow("authority not trusted") << address << "127.0.0.1" << false << false << unverified;
        QTest::newRow("another name")
            << QStringList { "DNS:pop.exemple.org" } << "127.0.0.1" << true << false << unverified;
        QTest::newRow("plain server behind pop3s") << address << "127.0.0.1" << true << true << "TLS";
    }

    // A certificate that does not verify ends the dialogue before USER: the account in error, the
    // reason traced, and the server sees no login.
    void tlsVerification()
    {
        QFETCH(QStringList, certificateNames);
        QFETCH(QString, host);
        QFETCH(bool, trusted);
        QFETCH(bool, plainPort);
        QFETCH(QString, refusal);
        DovecotServer server;
        QVERIFY2(startServer(server, 1, certificateNames), qPrintable(server.errorString()));
        const qsizetype logStart = server.log().size(); // past the probes that saw it ready
        const quint16 port = plainPort ? server.port() : server.securePort();
        useAccount(1, QStringLiteral("pop3s://") + host + u':' + QString::number(port));
        QVERIFY(trust(server, trusted));
        MailRig rig(*m_state);
        rig.checker.startMailCheck();
        if (refusal.isEmpty()) {
            waitForCheck(1);
            QCOMPARE(account(1).state, qint16(1));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(account(1).state, qint16(2), 10000);
        QCOMPARE(storedStates().first(), qint16(2));
        const QStringList lines = traceOf(0);
        QVERIFY2(lines.filter(QStringLiteral("envoi")).isEmpty(), qPrintable(lines.join(u'\n')));
        const QStringList refused = lines.filter(QStringLiteral("<n>  TLS refusé : "));
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused.first().contains(refusal), qPrintable(refused.first()));
        QTRY_VERIFY_WITH_TIMEOUT(server.log().mid(logStart).contains("no auth attempts"), 5000);
        QVERIFY2(!server.log().contains("user=<alice>"), server.log().constData());
    }

    // A server that accepts the connection and says nothing is given up after the reply limit
    // (a second here, a minute in the program), as a failed connection.
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
        QCOMPARE(storedStates().first(), qint16(2));
        QCOMPARE(traceOf(0).last(), QStringLiteral("<n>  le serveur ne répond plus : connexion abandonnée"));
        QCOMPARE(rig.checker.openSockets(), 0);
    }

    // From the deletion's own local port, or from another when that one is in use.
    void deletesTheEntryOnTheSecondLineOfAScrolledList()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, 8), qPrintable(server.errorString()));
        LoopbackRelay relay(server.port());
        useAccount(1, relay.serverText());
        const quint16 fixed = DovecotServer::freePort();
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, fixed));
        MailRig rig(*m_state, 0, fixed);
        rig.checker.startMailCheck();
        waitForCheck(8);
        QVERIFY(m_state->mailWindowShown);

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
        QCOMPARE(storedSubjects(server),
            QStringList({ "Message 1", "Message 2", "Message 3", "Message 4", "Message 5", "Message 7",
                "Message 8" }));
        const LoopbackRelay::Session deletion = relay.sessionWith(QStringLiteral("dele 6"));
        QCOMPARE(
            deletion.commands(), QStringList({ "USER alice", "PASS secret1", "top 6 0", "dele 6", "QUIT" }));
        QVERIFY(rig.deleter.localPort() >= 2000 && rig.deleter.localPort() <= 4999);
        QCOMPARE(deletion.peerPort, rig.deleter.localPort());
    }

    void deletionOverTls()
    {
        DovecotServer server;
        QVERIFY2(
            startServer(server, 3, { QStringLiteral("IP:127.0.0.1") }), qPrintable(server.errorString()));
        useAccount(1, server.secureServerText());
        QVERIFY(trust(server));
        MailRig rig(*m_state);
        rig.checker.startMailCheck();
        waitForCheck(3);
        const MailEntry second = m_state->mailList.entry(2);

        // Without the server's certificate the deletion stops before USER.
        QVERIFY(trust(server, false));
        rig.deleter.startDeletion({ 1, 2, second });
        QTRY_VERIFY_WITH_TIMEOUT(trace().contains("<supr>  TLS refus"), 10000);
        QVERIFY(!trace().contains("<supr>  envoi"));
        QCOMPARE(storedSubjects(server).size(), 3);

        QVERIFY(trust(server));
        rig.deleter.startDeletion({ 1, 2, second });
        QTRY_COMPARE_WITH_TIMEOUT(storedSubjects(server), QStringList({ "Message 1", "Message 3" }), 15000);
        waitForCheck(2); // the check that follows lists what is left
    }
};

QTEST_GUILESS_MAIN(TestMailOnDovecot)
#include "test_mail_on_dovecot.moc"
