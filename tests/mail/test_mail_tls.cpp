#include "core/app_state.h"
#include "mail/accounts_file.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "support/dovecot_server.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/temp_app_folder.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QByteArray message(int n)
{
    return "Return-Path: <bounce@liste.org>\nTo: alice@ici.fr\nFrom: Jean Dupont <jean@exemple.fr>\n"
           "Subject: Message "
        + QByteArray::number(n) + "\nDate: Tue, 3 Feb 2004 10:15:00 +0100\n\nCorps du message.\n";
}

// Passes the bytes of each connection on to the server's port and keeps a copy of them: what a
// listener on the wire would see.
class LoopbackRelay : public QObject {
public:
    explicit LoopbackRelay(quint16 serverPort)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this, serverPort] {
            QTcpSocket* client = m_server.nextPendingConnection();
            auto* upstream = new QTcpSocket(client);
            QObject::connect(client, &QTcpSocket::readyRead, this, [this, client, upstream] {
                const QByteArray bytes = client->readAll();
                fromClient += bytes;
                upstream->write(bytes);
            });
            QObject::connect(upstream, &QTcpSocket::readyRead, this, [this, client, upstream] {
                const QByteArray bytes = upstream->readAll();
                fromServer += bytes;
                client->write(bytes);
            });
            QObject::connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            QObject::connect(client, &QTcpSocket::disconnected, upstream, &QTcpSocket::disconnectFromHost);
            upstream->connectToHost(QHostAddress::LocalHost, serverPort);
        });
    }
    quint16 port() const { return m_server.serverPort(); }

    QByteArray fromClient;
    QByteArray fromServer;

private:
    QTcpServer m_server;
};

} // namespace

// The check dialogue over TLS against a real server: the same dialogue when the certificate
// verifies, and nothing sent when it does not.
class TestMailTls : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    FakeSoundPlayer m_sound;
    MessageBoxRecorder m_messages;
    std::unique_ptr<RecordingMailListEvents> m_events;
    qsizetype m_logStart = 0;

    void useAccount(int n, const QString& server, const QString& password = QStringLiteral("secret1"))
    {
        MailboxAccount& a = m_state->mailboxAccounts.account(n);
        a.number = qint16(n);
        a.server = server;
        a.login = QStringLiteral("alice");
        a.password = password;
        a.inUse = true;
    }
    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }
    QStringList traceOf(int i) const
    {
        const QString prefix = u'<' + QString::number(i) + u'>';
        QStringList lines;
        const QByteArray trace = m_folder->readBytes(QStringLiteral("messages.txt"));
        for (const QByteArray& line : trace.split('\n')) {
            if (line.startsWith(prefix.toLatin1()))
                lines.append(QString::fromLatin1(line).trimmed());
        }
        return lines;
    }
    qint16 storedState(int n) const
    {
        MailboxAccounts stored;
        LoadAccounts(stored, m_folder->file(QStringLiteral("courrier.ini")));
        return stored.account(n).state;
    }

    // A server with alice's three messages, its TLS certificate made for the given names.
    bool startServer(DovecotServer& server, const QStringList& certificateNames)
    {
        server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
        for (int n = 1; n <= 3; ++n) {
            if (!server.addMessage(QStringLiteral("alice"), message(n)))
                return false;
        }
        if (!server.makeCertificate(certificateNames) || !server.start())
            return false;
        m_logStart = server.log().size(); // past the lines of the probes that saw it ready
        return true;
    }

    static QList<QSslCertificate> trusting(const DovecotServer& server)
    {
        return QSslCertificate::fromPath(server.certificatePath());
    }

    // The dialogue of socket 0 ended before USER: account 1 in error, stored, and the trace names
    // why; the server saw no login.
    void verifyRefusedBeforeUser(const DovecotServer& server, const QString& reason)
    {
        QTRY_COMPARE_WITH_TIMEOUT(account(1).state, qint16(2), 10000);
        QCOMPARE(storedState(1), qint16(2));
        QCOMPARE(m_state->mailList.count, qint16(0));
        const QStringList trace = traceOf(0);
        QVERIFY2(trace.filter(QStringLiteral("envoi")).isEmpty(), qPrintable(trace.join(u'\n')));
        QCOMPARE(trace.filter(QStringLiteral("<0>  TLS refusé : ")).size(), 1);
        QVERIFY2(trace.filter(QStringLiteral("TLS refusé")).first().contains(reason),
            qPrintable(trace.join(u'\n')));
        // The server notes the connection that ended without any login.
        QTRY_VERIFY_WITH_TIMEOUT(server.log().mid(m_logStart).contains("no auth attempts"), 5000);
        QVERIFY2(!server.log().contains("user=<alice>"), server.log().constData());
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

    void messagesListedOverTls()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, { QStringLiteral("DNS:localhost"), QStringLiteral("IP:127.0.0.1") }),
            qPrintable(server.errorString()));
        useAccount(1, server.secureServerText());
        useAccount(2, server.serverText()); // the same mailbox in clear, for comparison
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0, trusting(server));
        checker.StartMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(account(1).AccountStep == 0 && account(2).AccountStep == 0, 15000);
        // The answers to QUIT.
        QTRY_COMPARE_WITH_TIMEOUT(traceOf(0).last().left(12), QStringLiteral("<0>  recu : "), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(traceOf(1).last().left(12), QStringLiteral("<1>  recu : "), 5000);

        QCOMPARE(account(1).state, qint16(1));
        QCOMPARE(storedState(1), qint16(1));
        const MailList& list = m_state->mailList;
        QCOMPARE(list.count, qint16(6));
        QList<qint16> numbersOfAccount1;
        for (int e = 1; e <= list.count; ++e) {
            QCOMPARE(list.entry(e).senderName, QStringLiteral("jean dupont"));
            if (list.entry(e).account == 1) {
                numbersOfAccount1.append(list.entry(e).messageNumber);
                QCOMPARE(list.entry(e).subject,
                    QStringLiteral("message ") + QString::number(list.entry(e).messageNumber));
                QVERIFY(list.entry(e).sizeKo > 0);
            }
        }
        QCOMPARE(numbersOfAccount1, QList<qint16>({ 1, 2, 3 }));

        // The same dialogue, line for line, as over the plain port. (The connection attempt's
        // line carries the account's number, not the socket's: it is left out.)
        const auto dialogueOf = [this](int i) {
            QStringList lines = traceOf(i);
            lines.removeIf([](const QString& line) { return line.contains(QStringLiteral("Tentative")); });
            return lines;
        };
        QStringList secure = dialogueOf(0);
        QStringList plain = dialogueOf(1);
        secure.replaceInStrings(QStringLiteral("<0>"), QStringLiteral("<n>"));
        plain.replaceInStrings(QStringLiteral("<1>"), QStringLiteral("<n>"));
        QCOMPARE(secure, plain);
        QCOMPARE(secure.mid(0, 5),
            QStringList({ "<n>  connecté", "<n>  recu : +OK Dovecot (Debian) ready.",
                "<n>  envoi : USER alice", "<n>  recu : +OK", "<n>  envoi : PASS secret1" }));
        QVERIFY(server.log().contains("user=<alice>"));
        QVERIFY(server.log().contains("TLS"));
    }

    void deletionOverTls()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, { QStringLiteral("IP:127.0.0.1") }), qPrintable(server.errorString()));
        useAccount(1, server.secureServerText());
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0, trusting(server));
        MailDeleter deleter(*m_state, checker, 0, trusting(server));
        MailDeleter untrusting(*m_state, checker, 0);
        checker.StartMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(m_state->mailList.count == 3 && account(1).AccountStep == 0, 15000);
        const MailEntry second = m_state->mailList.entry(2);
        QCOMPARE(second.subject, QStringLiteral("message 2"));

        // Without the server's authority the deletion stops before USER: nothing is deleted.
        untrusting.StartDeletion({ 1, 2, second });
        QTRY_VERIFY_WITH_TIMEOUT(
            m_folder->readBytes(QStringLiteral("messages.txt")).contains("<supr>  TLS refus"), 10000);
        QCOMPARE(server.storedMessages(QStringLiteral("alice")).size(), 3);
        QVERIFY(!m_folder->readBytes(QStringLiteral("messages.txt")).contains("<supr>  envoi"));

        deleter.StartDeletion({ 1, 2, second });
        QTRY_COMPARE_WITH_TIMEOUT(server.storedMessages(QStringLiteral("alice")).size(), 2, 15000);
        for (const QByteArray& stored : server.storedMessages(QStringLiteral("alice")))
            QVERIFY(!stored.contains("Subject: Message 2"));
        // The check that follows the deletion lists what is left.
        QTRY_VERIFY_WITH_TIMEOUT(m_state->mailList.count == 2 && account(1).AccountStep == 0, 15000);
        QCOMPARE(account(1).state, qint16(1));
    }

    void certificateNotTrusted()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, { QStringLiteral("DNS:localhost"), QStringLiteral("IP:127.0.0.1") }),
            qPrintable(server.errorString()));
        useAccount(1, server.secureServerText());
        // No authority given: the system's, which know nothing of this certificate.
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0);
        checker.StartMailCheck();
        verifyRefusedBeforeUser(server, QStringLiteral("certificat non vérifié : "));
    }

    void hostNameMustMatch_data()
    {
        QTest::addColumn<QStringList>("certificateNames");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("verified");
        QTest::newRow("address in the certificate") << QStringList { "IP:127.0.0.1" } << "127.0.0.1" << true;
        QTest::newRow("name in the certificate") << QStringList { "DNS:localhost" } << "localhost" << true;
        QTest::newRow("another name") << QStringList { "DNS:pop.exemple.org" } << "127.0.0.1" << false;
        QTest::newRow("name, reached by address") << QStringList { "DNS:localhost" } << "127.0.0.1" << false;
        QTest::newRow("address, reached by name") << QStringList { "IP:127.0.0.1" } << "localhost" << false;
    }

    void hostNameMustMatch()
    {
        QFETCH(QStringList, certificateNames);
        QFETCH(QString, host);
        QFETCH(bool, verified);
        DovecotServer server;
        QVERIFY2(startServer(server, certificateNames), qPrintable(server.errorString()));
        useAccount(1, QStringLiteral("pop3s://") + host + u':' + QString::number(server.securePort()));
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0, trusting(server));
        checker.StartMailCheck();
        if (verified) {
            QTRY_COMPARE_WITH_TIMEOUT(account(1).AccountStep, qint16(0), 10000);
            QCOMPARE(account(1).state, qint16(1));
            QCOMPARE(m_state->mailList.count, qint16(3));
        } else {
            verifyRefusedBeforeUser(server, QStringLiteral("certificat non vérifié : "));
        }
    }

    void plainServerBehindPop3s()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, { QStringLiteral("IP:127.0.0.1") }), qPrintable(server.errorString()));
        useAccount(1, QStringLiteral("pop3s://127.0.0.1:") + QString::number(server.port()));
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0, trusting(server));
        checker.StartMailCheck();
        verifyRefusedBeforeUser(server, QStringLiteral("TLS"));
    }

    void passwordNeverReadableOnTheWire()
    {
        DovecotServer server;
        QVERIFY2(startServer(server, { QStringLiteral("DNS:localhost"), QStringLiteral("IP:127.0.0.1") }),
            qPrintable(server.errorString()));
        LoopbackRelay secureWire(server.securePort());
        LoopbackRelay plainWire(server.port());
        // The accounts reach the server through the relays, by the certificate's address.
        useAccount(1, QStringLiteral("pop3s://127.0.0.1:") + QString::number(secureWire.port()));
        useAccount(2, QStringLiteral("127.0.0.1:") + QString::number(plainWire.port()));
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0, trusting(server));
        checker.StartMailCheck();
        QTRY_VERIFY_WITH_TIMEOUT(account(1).AccountStep == 0 && account(2).AccountStep == 0, 15000);
        QCOMPARE(account(1).state, qint16(1));
        QCOMPARE(account(2).state, qint16(1));

        // The capture works: in clear, the login, the password and the headers are there to read.
        QVERIFY(plainWire.fromClient.contains("PASS secret1\r\n"));
        QVERIFY(plainWire.fromServer.contains("Subject: Message 2"));
        // Over TLS, a whole dialogue went through and none of it can be read.
        QVERIFY(secureWire.fromClient.size() > 100);
        QVERIFY(secureWire.fromServer.size() > 300);
        for (const QByteArray& secret :
            { QByteArray("secret1"), QByteArray("PASS"), QByteArray("USER"), QByteArray("alice") }) {
            QVERIFY2(!secureWire.fromClient.contains(secret), secret.constData());
        }
        QVERIFY(!secureWire.fromServer.contains("+OK"));
        QVERIFY(!secureWire.fromServer.contains("Message 2"));
    }
};

QTEST_GUILESS_MAIN(TestMailTls)
#include "test_mail_tls.moc"
