#include "mail/check_dialogue.h"
#include "mail/deletion_dialogue.h"
#include "state/app_state.h"
#include "support/temp_app_folder.h"

#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

// supr_pop as a script: what the dialogue asked of it and the lines it sent.
class FakeDeletionSocket final : public DeletionSocket {
public:
    void closeSocket() override
    {
        calls.append(QStringLiteral("close"));
        connected = false;
    }
    void setLocalPort(quint16 port) override { calls.append(QStringLiteral("port %1").arg(port)); }
    void connectSocket(const Pop3Endpoint& endpoint) override
    {
        calls.append(QStringLiteral("connect %1%2:%3")
                         .arg(endpoint.secure ? QStringLiteral("pop3s://") : QString())
                         .arg(endpoint.host)
                         .arg(endpoint.port));
    }
    void send(const QByteArray& bytes) override { sent += bytes; }
    bool isConnected() const override { return connected; }

    // The lines sent since the last call, each of which must end with CR LF.
    QStringList takeLines()
    {
        QStringList lines = QString::fromLatin1(sent).split(QStringLiteral("\r\n"));
        if (!lines.last().isEmpty())
            lines.last() += QStringLiteral("<unterminated>");
        else
            lines.removeLast();
        sent.clear();
        return lines;
    }

    QStringList calls;
    QByteArray sent;
    bool connected = false;
};

QByteArray top(const QByteArray& subject, const QByteArray& from = "Jean Dupont <Jean@Exemple.fr>")
{
    return "+OK\r\nReturn-Path: <r@exemple.fr>\r\nTo: moi@ici.fr\r\nFrom: " + from + "\r\nSubject: " + subject
        + "\r\nDate: Tue, 3 Feb 2004 10:15:00 +0100\r\nMessage-ID: <1@exemple.fr>\r\n\r\n.\r\n";
}

// The entry the check makes of top("Message trois") for message 3 of account 2.
DeletionTarget listedTarget()
{
    MailEntry e;
    e.senderName = QStringLiteral("jean dupont");
    e.senderAddress = QStringLiteral("jean@exemple.fr");
    e.recipient = QStringLiteral("moi@ici.fr");
    e.subject = QStringLiteral("message trois");
    e.date = QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC);
    e.sizeKo = 4.5f; // known from LIST; a TOP reply does not give it
    e.messageNumber = 3;
    e.account = 2;
    return { 2, 3, e };
}

} // namespace

class TestDeletionDialogue : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<FakeDeletionSocket> m_socket;
    int m_checksStarted = 0;
    std::unique_ptr<DeletionDialogue> m_dialogue;
    double m_fraction = 0.5;

    QByteArray trace() const { return m_folder->readBytes(QStringLiteral("messages.txt")); }

    // Opens the dialogue and takes it to its TOP request.
    void loginAndAskHeaders()
    {
        m_dialogue->startDeletion(listedTarget());
        QCOMPARE(m_socket->calls, QStringList({ "close", "connect pop.exemple.fr:110" }));
        m_socket->connected = true;
        m_dialogue->dataArrival("+OK ready\r\n");
        m_dialogue->dataArrival("+OK\r\n");
        m_dialogue->dataArrival("+OK Logged in.\r\n");
        QCOMPARE(m_socket->takeLines(), QStringList({ "USER jean", "PASS s3cret", "top 3 0" }));
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->connectedFlag = true;
        m_state->settings.courrier = true;
        MailboxAccount& a = m_state->mailboxAccounts.account(2);
        a.server = QStringLiteral("pop.exemple.fr");
        a.login = QStringLiteral("jean");
        a.password = QStringLiteral("s3cret");
        a.inUse = true;
        a.state = 1;
        m_socket = std::make_unique<FakeDeletionSocket>();
        m_checksStarted = 0;
        m_dialogue = std::make_unique<DeletionDialogue>(
            *m_state, *m_socket, [this] { ++m_checksStarted; }, [this] { return m_fraction; });
        // As in the program, the application folder is known only after the dialogue is built.
        m_state->appFolder = m_folder->path();
    }

    void deletesTheListedMessageThenChecks()
    {
        m_state->debugSwitch = true;
        loginAndAskHeaders();
        // The headers may come in pieces; the reply is taken once whole.
        const QByteArray headers = top("Message trois");
        m_dialogue->dataArrival(headers.left(20));
        QVERIFY(m_socket->takeLines().isEmpty());
        m_dialogue->dataArrival(headers.mid(20));
        QCOMPARE(m_socket->takeLines(), QStringList({ "dele 3" }));
        m_dialogue->dataArrival("+OK Deleted.\r\n");
        QCOMPARE(m_socket->takeLines(), QStringList({ "QUIT" }));
        QCOMPARE(m_checksStarted, 0); // not before the server has answered QUIT
        m_dialogue->dataArrival("+OK Logging out, messages deleted.\r\n");
        QCOMPARE(m_checksStarted, 1);
        QCOMPARE(m_socket->calls.last(), QStringLiteral("close"));
        QCOMPARE(m_state->mailboxAccounts.account(2).state, qint16(1));
        QCOMPARE(trace(),
            "<supr>  Tentative de connection\r\n<supr>  recu : +OK ready\r\n\r\n<supr>  envoi : USER jean\r\n"
            "<supr>  recu : +OK\r\n\r\n<supr>  envoi : PASS s3cret\r\n<supr>  recu : +OK Logged in.\r\n\r\n"
            "<supr>  envoi : top 3 0\r\n<supr>  recu : "
                + top("Message trois")
                + "\r\n<supr>  envoi : dele 3\r\n<supr>  recu : +OK Deleted.\r\n\r\n"
                  "<supr>  recu : +OK Logging out, messages deleted.\r\n\r\n");
    }

    void anotherMessageUnderTheNumberIsNotDeleted_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("another subject") << top("Message quatre");
        QTest::newRow("another sender") << top("Message trois", "marie@exemple.fr");
        QTest::newRow("no such message") << QByteArray("-ERR There's no message 3.\r\n");
        QTest::newRow("no headers") << QByteArray("+OK\r\n\r\n.\r\n");
    }
    void anotherMessageUnderTheNumberIsNotDeleted()
    {
        QFETCH(QByteArray, reply);
        m_state->debugSwitch = true;
        loginAndAskHeaders();
        m_dialogue->dataArrival(reply);
        QCOMPARE(m_socket->takeLines(), QStringList({ "QUIT" }));
        m_dialogue->dataArrival("+OK Logging out.\r\n");
        QCOMPARE(m_checksStarted, 1);
        QVERIFY(trace().contains("<supr>  message 3 chang\xe9 sur le serveur : rien n'est supprim\xe9\r\n"));
    }

    void aFailureEndsTheDeletion_data()
    {
        QTest::addColumn<int>("answered"); // positive replies before the failure
        QTest::addColumn<QByteArray>("reply"); // "refused": the connection; "silence": no reply
        const QByteArray refusal = "-ERR non\r\n";
        QTest::newRow("greeting refused") << 0 << refusal;
        QTest::newRow("USER refused") << 1 << refusal;
        QTest::newRow("PASS refused") << 2 << refusal;
        QTest::newRow("DELE refused") << 4 << refusal;
        QTest::newRow("QUIT refused") << 5 << refusal;
        QTest::newRow("a flood instead of headers") << 3 << "+OK\r\n" + QByteArray(2 * 1024 * 1024, 'z');
        QTest::newRow("connection refused") << 0 << QByteArray("refused");
        QTest::newRow("silent before DELE") << 3 << QByteArray("silence");
    }
    // The socket is closed, nothing more is sent, no check follows and the account keeps its state.
    void aFailureEndsTheDeletion()
    {
        QFETCH(int, answered);
        QFETCH(QByteArray, reply);
        m_dialogue->startDeletion(listedTarget());
        m_socket->connected = true;
        const QList<QByteArray> replies { "+OK\r\n", "+OK\r\n", "+OK\r\n", top("Message trois"), "+OK\r\n" };
        for (int k = 0; k < answered; ++k)
            m_dialogue->dataArrival(replies.at(k));
        m_socket->takeLines();
        m_socket->calls.clear();
        if (reply == "refused")
            m_dialogue->socketError(ErrorConnectionRefused, QStringLiteral("Connection refused"));
        else if (reply == "silence")
            m_dialogue->serverSilent();
        else
            m_dialogue->dataArrival(reply);
        QCOMPARE(m_socket->calls, QStringList({ "close" }));
        QVERIFY(m_socket->takeLines().isEmpty());
        QCOMPARE(m_checksStarted, 0);
        QCOMPARE(m_state->mailboxAccounts.account(2).state, qint16(1));
    }

    void nothingOffLineOrWithMailCheckingOff()
    {
        m_state->connectedFlag = false;
        m_dialogue->startDeletion(listedTarget());
        m_state->connectedFlag = true;
        m_state->settings.courrier = false;
        m_dialogue->startDeletion(listedTarget());
        QVERIFY(m_socket->calls.isEmpty());
    }

    void addressInUseRetriesOnARandomPort()
    {
        m_state->debugSwitch = true;
        m_dialogue->startDeletion(listedTarget());
        m_socket->calls.clear();
        m_fraction = 0.25;
        m_dialogue->socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(
            m_socket->calls, QStringList({ "close", "port 2750", "close", "connect pop.exemple.fr:110" }));
        QVERIFY(trace().contains("<supr> 10048  Address in use\r\n"));
        // A port that stays in use does not keep the program busy for ever.
        m_fraction = 0.999999;
        for (int k = 0; k < 10; ++k)
            m_dialogue->socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(m_socket->calls.filter(QStringLiteral("connect")).size(), DeletionDialogue::MaxPortRetries);
        QVERIFY(m_socket->calls.contains(QStringLiteral("port 4999")));
        // Another deletion starts afresh.
        m_socket->calls.clear();
        m_dialogue->startDeletion(listedTarget());
        m_dialogue->socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(m_socket->calls.filter(QStringLiteral("connect")).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDeletionDialogue)
#include "test_deletion_dialogue.moc"
