#include "core/app_state.h"
#include "mail/accounts_file.h"
#include "mail/mail_checker.h"
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

QByteArray message(const QByteArray& from, const QByteArray& subject, const QByteArray& date, int bodyLines)
{
    QByteArray m = "Return-Path: <bounce@liste.org>\nReceived: from mx by pop\nTo: alice@ici.fr\nFrom: " + from
        + "\nSubject: " + subject + "\nDate: " + date + "\nMIME-Version: 1.0\n\n";
    for (int k = 0; k < bodyLines; ++k)
        m += "ligne " + QByteArray::number(k) + " du corps\n";
    m += ".commence par un point\nFrom: pas un en-tete\n";
    return m;
}

// A POP3 server that follows a script of replies, one per line received, and can hang up.
class ScriptedServer : public QObject {
public:
    // Each reply answers the greeting then each command; an empty reply closes the connection.
    explicit ScriptedServer(QList<QByteArray> replies)
        : m_replies(std::move(replies))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = m_server.nextPendingConnection();
            peerPorts.append(s->peerPort());
            m_next = 0;
            QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] {
                while (s->canReadLine()) {
                    received.append(s->readLine().trimmed());
                    answer(s);
                }
            });
            answer(s);
        });
    }
    quint16 port() const { return m_server.serverPort(); }

    QList<quint16> peerPorts;
    QList<QByteArray> received;

private:
    void answer(QTcpSocket* s)
    {
        if (m_next >= m_replies.size())
            return;
        const QByteArray reply = m_replies.at(m_next++);
        if (reply.isEmpty())
            s->disconnectFromHost();
        else
            s->write(reply);
    }

    QTcpServer m_server;
    QList<QByteArray> m_replies;
    qsizetype m_next = 0;
};

} // namespace

class TestMailChecker : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    FakeSoundPlayer m_sound;
    MessageBoxRecorder m_messages;
    std::unique_ptr<RecordingMailListEvents> m_events;

    void useAccount(int n, const QString& server, const QString& login, const QString& password)
    {
        MailboxAccount& a = m_state->mailboxAccounts.account(n);
        a.number = qint16(n);
        a.server = server;
        a.login = login;
        a.password = password;
        a.inUse = true;
    }
    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }
    QStringList traceOf(int i) const
    {
        const QString prefix = u'<' + QString::number(i) + u'>';
        QStringList lines;
        for (const QByteArray& line : m_folder->readBytes(QStringLiteral("messages.txt")).split('\n')) {
            if (line.startsWith(prefix.toLatin1()))
                lines.append(QString::fromLatin1(line).trimmed());
        }
        return lines;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->appFolder = m_folder->path();
        m_state->settings.courrier = true;
        m_state->connectedFlag = true;
        m_events = std::make_unique<RecordingMailListEvents>(*m_state);
        m_messages.shown.clear();
    }

    void checkAgainstDovecot()
    {
        const QString reason = DovecotServer::unavailableReason();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
        DovecotServer server;
        server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
        server.addUser(QStringLiteral("bob"), QStringLiteral("secret2"));
        const QList<QByteArray> mails {
            message("\"Jean Dupont\" <Jean@Exemple.fr>", "=?utf-8?q?R=C3=A9union?= demain", "Tue, 3 Feb 2004 10:15:00 +0100", 3),
            message("marie@exemple.fr", "Facture", "3 Aug 2004 08:00:00 GMT", 40),
            message("Service Clients <sc@boutique.fr>", "Votre commande", "Mon, 5 Jan 04 01:02 +0000", 200),
        };
        for (const QByteArray& m : mails)
            QVERIFY(server.addMessage(QStringLiteral("alice"), m));
        QVERIFY2(server.start(), qPrintable(server.errorString()));

        const quint16 refused = DovecotServer::freePort();
        useAccount(1, server.serverText(), QStringLiteral("alice"), QStringLiteral("secret1"));
        useAccount(2, server.serverText(), QStringLiteral("bob"), QStringLiteral("secret2"));
        useAccount(3, server.serverText(), QStringLiteral("alice"), QStringLiteral("wrong"));
        useAccount(4, QStringLiteral("127.0.0.1:") + QString::number(refused), QStringLiteral("x"), QStringLiteral("y"));
        account(5).state = 1;
        m_state->debugSwitch = true;

        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0);
        checker.StartMailCheck();
        auto done = [this] {
            return account(1).AccountStep == 0 && account(2).AccountStep == 0 && account(3).state == 2
                && account(4).state == 2;
        };
        QTRY_VERIFY_WITH_TIMEOUT(done(), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(traceOf(0).last().left(12), QStringLiteral("<0>  recu : "), 5000);

        QCOMPARE(account(1).state, qint16(1));
        QCOMPARE(account(2).state, qint16(1));
        QCOMPARE(account(5).state, qint16(1)); // not in use: never contacted
        MailboxAccounts stored;
        LoadAccounts(stored, m_folder->file(QStringLiteral("courrier.ini")));
        QCOMPARE(stored.account(3).state, qint16(2));
        QCOMPARE(stored.account(4).state, qint16(2));

        const MailList& list = m_state->mailList;
        QCOMPARE(list.count, qint16(3));
        QCOMPARE(list.entry(1).senderName, QStringLiteral("jean dupont"));
        QCOMPARE(list.entry(1).senderAddress, QStringLiteral("jean@exemple.fr"));
        QCOMPARE(list.entry(1).subject, QStringLiteral("réunion demain"));
        QCOMPARE(list.entry(1).recipient, QStringLiteral("alice@ici.fr"));
        QCOMPARE(list.entry(1).date, QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC));
        QCOMPARE(list.entry(2).senderName, QStringLiteral("marie@exemple.fr"));
        QCOMPARE(list.entry(2).date, QDateTime(QDate(2004, 8, 3), QTime(8, 0), Qt::UTC));
        QCOMPARE(list.entry(3).senderName, QStringLiteral("service clients"));
        QCOMPARE(list.entry(3).date, QDateTime(QDate(2004, 1, 5), QTime(1, 2), Qt::UTC));
        for (int e = 1; e <= 3; ++e) {
            QCOMPARE(list.entry(e).messageNumber, qint16(e));
            QCOMPARE(list.entry(e).account, qint16(1));
            QByteArray crlf = mails[e - 1];
            crlf.replace("\n", "\r\n");
            QCOMPARE(list.entry(e).sizeKo, float(crlf.size()) / 1024.0f);
        }

        QCOMPARE(traceOf(0).mid(0, 9), QStringList({
            "<0>  connecté", "<0>  recu : +OK Dovecot (Debian) ready.", "<0>  envoi : USER alice",
            "<0>  recu : +OK", "<0>  envoi : PASS secret1", "<0>  recu : +OK Logged in.",
            "<0>  envoi : STAT", "<0>  recu : +OK 3 " + QString::number([&] {
                qsizetype total = 0;
                for (QByteArray m : mails)
                    total += m.replace("\n", "\r\n").size();
                return total;
            }()), "<0> 3 messages dispo" }));
        const QStringList sent = traceOf(0).filter(QStringLiteral("envoi"));
        QCOMPARE(sent.mid(3), QStringList({ "<0>  envoi : top 1 10", "<0>  envoi : top 2 10",
                                            "<0>  envoi : top 3 10", "<0>  envoi : LIST", "<0>  envoi : QUIT" }));
        QCOMPARE(traceOf(1).filter(QStringLiteral("ok mais pas de message")).size(), 1);
        QCOMPARE(traceOf(3).filter(QStringLiteral(" 10061  ")).size(), 3);
        QCOMPARE(m_folder->readBytes(QStringLiteral("messages.txt")).count("<4>  Tentative de connection"), 3);
        QVERIFY(traceOf(2).contains(QStringLiteral("<2>  recu : -ERR [AUTH] Authentication failed.")));
    }

    void serverClosingMidDialogueLeavesTheAccount()
    {
        ScriptedServer server({ "+OK ready\r\n", "+OK\r\n", QByteArray() });
        useAccount(1, QStringLiteral("127.0.0.1:") + QString::number(server.port()), QStringLiteral("jean"), QStringLiteral("pw"));
        account(1).state = 1;
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0);
        checker.StartMailCheck();
        QTRY_COMPARE(server.received.size(), 2);
        QTRY_COMPARE(account(1).AccountStep, qint16(3));
        QTest::qWait(100);
        QCOMPARE(account(1).state, qint16(1));
        QCOMPARE(m_state->mailList.count, qint16(0));
        // A later check starts afresh.
        checker.StartMailCheck();
        QTRY_COMPARE(server.peerPorts.size(), 2);
    }

    void aFloodOfBytesPutsTheAccountInError()
    {
        QByteArray flood = "+OK ready\r\n";
        ScriptedServer server({ flood, "+OK\r\n", "+OK\r\n", "+OK 1 10\r\n", "+OK\r\n" + QByteArray(3 * 1024 * 1024, 'z') });
        useAccount(2, QStringLiteral("127.0.0.1:") + QString::number(server.port()), QStringLiteral("jean"), QStringLiteral("pw"));
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, 0);
        checker.StartMailCheck();
        QTRY_COMPARE_WITH_TIMEOUT(account(2).state, qint16(2), 10000);
        QCOMPARE(m_state->mailList.count, qint16(0));
    }

    void fixedLocalPortsAndTheFallback()
    {
        ScriptedServer server({ "+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 0 0\r\n", "+OK bye\r\n" });
        const quint16 first = DovecotServer::freePort();
        QTcpServer squatter; // holds the second account's fixed port
        QVERIFY(squatter.listen(QHostAddress::Any, quint16(first + 1)));
        const QString text = QStringLiteral("127.0.0.1:") + QString::number(server.port());
        useAccount(1, text, QStringLiteral("jean"), QStringLiteral("pw"));
        MailChecker checker(*m_state, m_sound, m_messages, *m_events, first);
        checker.StartMailCheck();
        QTRY_COMPARE(account(1).AccountStep, qint16(0));
        QCOMPARE(server.peerPorts, QList<quint16>({ first }));

        account(1).inUse = false;
        useAccount(2, text, QStringLiteral("jean"), QStringLiteral("pw"));
        checker.StartMailCheck();
        QTRY_COMPARE(server.peerPorts.size(), 2);
        QVERIFY(checker.localPort(1) >= 2000 && checker.localPort(1) <= 4999);
        QCOMPARE(server.peerPorts.last(), checker.localPort(1));
    }
};

QTEST_GUILESS_MAIN(TestMailChecker)
#include "test_mail_checker.moc"
