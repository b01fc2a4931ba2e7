#include "core/app_state.h"
#include "loopback_relay.h"
#include "mail/accounts_file.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "support/dovecot_server.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/temp_app_folder.h"

#include <QSslSocket>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QByteArray message(const QByteArray& from, const QByteArray& subject, const QByteArray& date, int bodyLines)
{
    QByteArray m = "Return-Path: <bounce@liste.org>\nReceived: from mx by pop\nTo: alice@ici.fr\nFrom: " + from
        + "\nSubject: " + subject + "\nDate: " + date + "\nMIME-Version: 1.0\n\n";
    for (int k = 0; k < bodyLines; ++k)
        m += "ligne " + QByteArray::number(k) + " du corps\n";
    return m + ".commence par un point\nFrom: pas un en-tete\n";
}

} // namespace

// The check, and the deletion over TLS, on real sockets against a real server: in clear, over TLS
// when the certificate verifies, and with nothing sent when it does not.
class TestMailChecker : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    FakeSoundPlayer m_sound;
    MessageBoxRecorder m_messages;
    std::unique_ptr<RecordingMailListEvents> m_events;

    void useAccount(int n, const QString& server, const QString& login = QStringLiteral("alice"),
        const QString& password = QStringLiteral("secret1"))
    {
        MailboxAccount& a = account(n);
        a.number = qint16(n);
        a.server = server;
        a.login = login;
        a.password = password;
        a.inUse = true;
    }
    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }
    // Socket i's trace lines, each under the prefix "<n>".
    QStringList traceOf(int i) const
    {
        const QByteArray prefix = '<' + QByteArray::number(i) + '>';
        QStringList lines;
        for (const QByteArray& line : m_folder->readBytes(QStringLiteral("messages.txt")).split('\n')) {
            if (line.startsWith(prefix) && !line.contains("Tentative"))
                lines.append(QStringLiteral("<n>") + QString::fromLatin1(line.trimmed().mid(prefix.size())));
        }
        return lines;
    }
    QList<qint16> storedStates() const
    {
        MailboxAccounts stored;
        LoadAccounts(stored, m_folder->file(QStringLiteral("courrier.ini")));
        QList<qint16> states;
        for (int n = 1; n <= 5; ++n)
            states.append(stored.account(n).state);
        return states;
    }
    // Every entry of account n: sender, address, recipient, subject, date, size in bytes.
    QStringList entriesOf(int n) const
    {
        QStringList entries;
        for (int e = 1; e <= m_state->mailList.count; ++e) {
            const MailEntry& m = m_state->mailList.entry(e);
            if (m.account == n)
                entries.append(QStringList({ QString::number(m.messageNumber), m.senderName, m.senderAddress,
                    m.recipient, m.subject, m.date.toString(Qt::ISODate), QString::number(qRound(m.sizeKo * 1024)) })
                                   .join(u'|'));
        }
        return entries;
    }
    static QList<QSslCertificate> trusting(const DovecotServer& server)
    {
        return QSslCertificate::fromPath(server.certificatePath());
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString reason = DovecotServer::unavailableReason();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
        QVERIFY2(QSslSocket::supportsSsl(), "Qt has no TLS backend on this machine");
    }

    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->appFolder = m_folder->path();
        m_state->settings.courrier = true;
        m_state->connectedFlag = true;
        m_state->debugSwitch = true;
        m_events = std::make_unique<RecordingMailListEvents>(*m_state);
    }

    // Alice's mailbox in clear (1) and over TLS (2), a wrong password (3), a refused port (4) and
    // Bob's empty mailbox (5), each from its fixed local port but for the one in use.
    void checkOfFiveAccounts()
    {
        DovecotServer server;
        server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
        server.addUser(QStringLiteral("bob"), QStringLiteral("secret2"));
        QList<QByteArray> mails {
            message("\"Jean Dupont\" <Jean@Exemple.fr>", "=?utf-8?q?R=C3=A9union?= demain", "Tue, 3 Feb 2004 10:15:00 +0100", 3),
            message("marie@exemple.fr", "Facture", "3 Aug 2004 08:00:00 GMT", 40),
            message("Service Clients <sc@boutique.fr>", "Votre commande", "Mon, 5 Jan 04 01:02 +0000", 200),
        };
        for (QByteArray& m : mails) {
            QVERIFY(server.addMessage(QStringLiteral("alice"), m));
            m.replace("\n", "\r\n");
        }
        QVERIFY(server.makeCertificate({ QStringLiteral("DNS:localhost"), QStringLiteral("IP:127.0.0.1") }));
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        LoopbackRelay plainWire(server.port());
        LoopbackRelay secureWire(server.securePort());
        useAccount(1, plainWire.serverText());
        useAccount(2, secureWire.serverText(QStringLiteral("pop3s://")));
        useAccount(3, server.serverText(), QStringLiteral("alice"), QStringLiteral("wrong"));
        useAccount(4, QStringLiteral("127.0.0.1:") + QString::number(DovecotServer::freePort()));
        useAccount(5, server.serverText(), QStringLiteral("bob"), QStringLiteral("secret2"));
        const quint16 first = DovecotServer::freePort();
        QTcpServer squatter; // holds account 2's fixed port
        QVERIFY(squatter.listen(QHostAddress::Any, quint16(first + 1)));

        MailChecker checker(*m_state, m_sound, m_messages, *m_events, first, trusting(server));
        checker.StartMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(account(1).AccountStep == 0 && account(2).AccountStep == 0
                && account(5).AccountStep == 0 && account(3).state == 2 && account(4).state == 2,
            20000);
        for (int i : { 0, 1, 4 }) // the answers to QUIT
            QTRY_COMPARE_WITH_TIMEOUT(traceOf(i).last().left(10), QStringLiteral("<n>  recu "), 5000);

        QCOMPARE(storedStates(), QList<qint16>({ 1, 1, 2, 2, 1 }));
        QCOMPARE(entriesOf(1),
            QStringList({ "1|jean dupont|jean@exemple.fr|alice@ici.fr|réunion demain|2004-02-03T10:15:00Z|"
                    + QString::number(mails[0].size()),
                "2|marie@exemple.fr|marie@exemple.fr|alice@ici.fr|facture|2004-08-03T08:00:00Z|"
                    + QString::number(mails[1].size()),
                "3|service clients|sc@boutique.fr|alice@ici.fr|votre commande|2004-01-05T01:02:00Z|"
                    + QString::number(mails[2].size()) }));
        QCOMPARE(entriesOf(2), entriesOf(1));
        QCOMPARE(m_state->mailList.count, qint16(6));

        const QStringList plain = traceOf(0);
        QCOMPARE(plain.mid(0, 6),
            QStringList({ "<n>  connecté", "<n>  recu : +OK Dovecot (Debian) ready.", "<n>  envoi : USER alice",
                "<n>  recu : +OK", "<n>  envoi : PASS secret1", "<n>  recu : +OK Logged in." }));
        QCOMPARE(plain.filter(QStringLiteral("envoi")).mid(2),
            QStringList({ "<n>  envoi : STAT", "<n>  envoi : top 1 10", "<n>  envoi : top 2 10",
                "<n>  envoi : top 3 10", "<n>  envoi : LIST", "<n>  envoi : QUIT" }));
        // Over TLS, the same dialogue line for line, after the fixed port found in use.
        QStringList secure = traceOf(1);
        QVERIFY(secure.takeFirst().startsWith(QStringLiteral("<n> 10048  ")));
        QCOMPARE(secure, plain);
        QVERIFY(traceOf(2).contains(QStringLiteral("<n>  recu : -ERR [AUTH] Authentication failed.")));
        QCOMPARE(traceOf(3).filter(QStringLiteral(" 10061  ")).size(), 3);
        QCOMPARE(m_folder->readBytes(QStringLiteral("messages.txt")).count("<4>  Tentative de connection"), 3);
        QCOMPARE(traceOf(4).filter(QStringLiteral("ok mais pas de message")).size(), 1);

        QCOMPARE(plainWire.sessions.size(), 1);
        QCOMPARE(secureWire.sessions.size(), 1);
        const LoopbackRelay::Session plainSession = plainWire.sessions.first();
        const LoopbackRelay::Session secureSession = secureWire.sessions.first();
        QCOMPARE(plainSession.peerPort, first);
        QVERIFY(checker.localPort(1) >= 2000 && checker.localPort(1) <= 4999);
        QCOMPARE(secureSession.peerPort, checker.localPort(1));

        // The capture works: in clear, the password and the headers are there to read; over TLS,
        // the same dialogue went through and none of it can be read.
        QVERIFY(plainSession.commands().contains(QStringLiteral("PASS secret1")));
        QVERIFY(plainSession.fromServer.contains("Subject: Facture"));
        QVERIFY(secureSession.fromServer.size() > plainSession.fromServer.size());
        for (const char* secret : { "secret1", "PASS", "USER", "alice" })
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
        QTest::newRow("name, reached by name") << QStringList { "DNS:localhost" } << "localhost" << true << false << "";
        QTest::newRow("authority not trusted")
            << QStringList { "IP:127.0.0.1" } << "127.0.0.1" << false << false << unverified;
        QTest::newRow("another name") << QStringList { "DNS:pop.exemple.org" } << "127.0.0.1" << true << false << unverified;
        QTest::newRow("name, reached by address") << QStringList { "DNS:localhost" } << "127.0.0.1" << true << false << unverified;
        QTest::newRow("address, reached by name") << QStringList { "IP:127.0.0.1" } << "localhost" << true << false << unverified;
        QTest::newRow("plain server behind pop3s") << QStringList { "IP:127.0.0.1" } << "127.0.0.1" << true << true << "TLS";
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
        server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
        QVERIFY(server.addMessage(QStringLiteral("alice"), message("a@b.fr", "Un", "3 Aug 2004 08:00:00 GMT", 1)));
        QVERIFY(server.makeCertificate(certificateNames));
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        const qsizetype logStart = server.log().size(); // past the probes that saw it ready
        const quint16 port = plainPort ? server.port() : server.securePort();
        useAccount(1, QStringLiteral("pop3s://") + host + u':' + QString::number(port));
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0,
            trusted ? trusting(server) : QList<QSslCertificate>());
        checker.StartMailCheck();
        if (refusal.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(account(1).AccountStep, qint16(0), 10000);
            QCOMPARE(account(1).state, qint16(1));
            QCOMPARE(m_state->mailList.count, qint16(1));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(account(1).state, qint16(2), 10000);
        QCOMPARE(storedStates().first(), qint16(2));
        const QStringList trace = traceOf(0);
        QVERIFY2(trace.filter(QStringLiteral("envoi")).isEmpty(), qPrintable(trace.join(u'\n')));
        const QStringList refused = trace.filter(QStringLiteral("<n>  TLS refusé : "));
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused.first().contains(refusal), qPrintable(refused.first()));
        QTRY_VERIFY_WITH_TIMEOUT(server.log().mid(logStart).contains("no auth attempts"), 5000);
        QVERIFY2(!server.log().contains("user=<alice>"), server.log().constData());
    }

    void deletionOverTls()
    {
        DovecotServer server;
        server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
        for (const char* subject : { "Un", "Deux", "Trois" })
            QVERIFY(server.addMessage(QStringLiteral("alice"), message("a@b.fr", subject, "3 Aug 2004 08:00:00 GMT", 1)));
        QVERIFY(server.makeCertificate({ QStringLiteral("IP:127.0.0.1") }));
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        useAccount(1, server.secureServerText());
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0, trusting(server));
        checker.StartMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(m_state->mailList.count == 3 && account(1).AccountStep == 0, 15000);
        const MailEntry second = m_state->mailList.entry(2);

        // Without the server's authority the deletion stops before USER.
        MailDeleter untrusting(*m_state, checker, 0);
        untrusting.StartDeletion({ 1, 2, second });
        QTRY_VERIFY_WITH_TIMEOUT(m_folder->readBytes(QStringLiteral("messages.txt")).contains("<supr>  TLS refus"), 10000);
        QVERIFY(!m_folder->readBytes(QStringLiteral("messages.txt")).contains("<supr>  envoi"));
        QCOMPARE(server.storedMessages(QStringLiteral("alice")).size(), 3);

        MailDeleter deleter(*m_state, checker, 0, trusting(server));
        deleter.StartDeletion({ 1, 2, second });
        QTRY_COMPARE_WITH_TIMEOUT(server.storedMessages(QStringLiteral("alice")).size(), 2, 15000);
        for (const QByteArray& stored : server.storedMessages(QStringLiteral("alice")))
            QVERIFY(!stored.contains("Subject: Deux"));
        // The check that follows lists what is left.
        QTRY_VERIFY_WITH_TIMEOUT(m_state->mailList.count == 2 && account(1).AccountStep == 0, 15000);
    }
};

QTEST_GUILESS_MAIN(TestMailChecker)
#include "test_mail_checker.moc"
