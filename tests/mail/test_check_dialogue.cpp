#include "core/app_state.h"
#include "fake_check_sockets.h"
#include "mail/accounts_file.h"
#include "mail/check_dialogue.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/temp_app_folder.h"

#include <QFile>
#include <QTest>
#include <sys/stat.h>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QByteArray top(int n, const QByteArray& from = "Jean Dupont <jean@exemple.fr>")
{
    return "+OK\r\nReturn-Path: <r@exemple.fr>\r\nTo: moi@ici.fr\r\nFrom: " + from
        + "\r\nSubject: Message " + QByteArray::number(n)
        + "\r\nDate: Tue, 3 Feb 2004 10:15:00 +0100\r\n\r\nCorps du message.\r\n.\r\n";
}

} // namespace

class TestCheckDialogue : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<MessageBoxRecorder> m_messages;
    std::unique_ptr<FakeCheckSockets> m_sockets;
    std::unique_ptr<RecordingMailListEvents> m_events;
    std::unique_ptr<CheckDialogue> m_dialogue;
    double m_fraction = 0.5;

    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }

    void useAccount(int n, const QString& server = QStringLiteral("pop.exemple.fr"))
    {
        MailboxAccount& a = account(n);
        a.number = qint16(n);
        a.server = server;
        a.login = QStringLiteral("jean");
        a.password = QStringLiteral("secret");
        a.inUse = true;
    }

    // Opens account n's socket and takes its dialogue to the STAT command.
    void loginTo(int n)
    {
        const int i = n - 1;
        m_sockets->connected.at(std::size_t(i)) = true;
        m_dialogue->Connected(i);
        m_dialogue->DataArrival(i, "+OK ready\r\n");
        m_dialogue->DataArrival(i, "+OK\r\n");
        m_dialogue->DataArrival(i, "+OK\r\n");
        QCOMPARE(m_sockets->takeLines(i), QStringList({ "USER jean", "PASS secret", "STAT" }));
    }

    QByteArray storedRecord(int n) const
    {
        return m_folder->readBytes(QStringLiteral("courrier.ini")).mid((n - 1) * 156, 156);
    }
    qint16 storedState(int n) const
    {
        MailboxAccounts stored;
        LoadAccounts(stored, m_folder->file(QStringLiteral("courrier.ini")));
        return stored.account(n).state;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->appFolder = m_folder->path();
        m_state->settings.courrier = true;
        m_state->connectedFlag = true;
        m_sound = std::make_unique<FakeSoundPlayer>();
        m_messages = std::make_unique<MessageBoxRecorder>();
        m_sockets = std::make_unique<FakeCheckSockets>();
        m_events = std::make_unique<RecordingMailListEvents>(*m_state);
        m_dialogue = std::make_unique<CheckDialogue>(*m_state, *m_sound, *m_messages, *m_sockets,
                                                     *m_events, [this] { return m_fraction; });
    }

    void nothingWithoutMailCheckingOrLine()
    {
        useAccount(1);
        m_state->settings.courrier = false;
        m_dialogue->StartMailCheck();
        m_state->settings.courrier = true;
        m_state->connectedFlag = false;
        m_dialogue->StartMailCheck();
        QVERIFY(m_sockets->calls.isEmpty());
        QVERIFY(m_events->refreshCounts.isEmpty());
    }

    void onlyAccountsInUseAreContacted()
    {
        useAccount(2);
        useAccount(4, QStringLiteral("localhost:2110"));
        account(4).inUse = false;
        account(4).state = 2;
        m_state->mailList.count = 5;
        m_dialogue->StartMailCheck();
        QCOMPARE(m_events->refreshCounts, QList<int>({ 0 }));
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")),
                 QStringList({ "connect 1 pop.exemple.fr:110" }));
        QCOMPARE(account(4).state, qint16(2));
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(account(n).AccountStep, qint16(1));
    }

    void serverPortFromTheServerText_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("plain") << "pop.free.fr" << "pop.free.fr" << 110;
        QTest::newRow("with port") << "127.0.0.1:2110" << "127.0.0.1" << 2110;
        QTest::newRow("bad port") << "host:abc" << "host:abc" << 110;
        QTest::newRow("port 0") << "host:0" << "host:0" << 110;
        QTest::newRow("ipv6 left whole") << "::1" << "::1" << 110;
    }

    void serverPortFromTheServerText()
    {
        QFETCH(QString, server);
        const auto [host, port] = CheckDialogue::ServerAddress(server);
        QTEST(host, "host");
        QTEST(int(port), "port");
    }

    void wholeDialogueListsTheMessagesAndTraces()
    {
        useAccount(1);
        m_state->debugSwitch = true;
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 2 640\r\n");
        QCOMPARE(account(1).state, qint16(1));
        QCOMPARE(storedState(1), qint16(1));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 1 10" }));
        m_dialogue->DataArrival(0, top(1));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 2 10" }));
        m_dialogue->DataArrival(0, top(2, "\"Anne Marie\" <am@x.fr>"));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "LIST" }));
        m_dialogue->DataArrival(0, "+OK 2 messages\r\n1 2048\r\n2 512\r\n.\r\n");
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "QUIT" }));
        QVERIFY(m_sockets->connected[0]);
        m_dialogue->DataArrival(0, "+OK bye\r\n");
        QVERIFY(!m_sockets->connected[0]);
        QCOMPARE(account(1).AccountStep, qint16(0));

        const MailList& list = m_state->mailList;
        QCOMPARE(list.count, qint16(2));
        QCOMPARE(list.entry(1).senderName, QStringLiteral("jean dupont"));
        QCOMPARE(list.entry(1).subject, QStringLiteral("message 1"));
        QCOMPARE(list.entry(1).sizeKo, 2.0f);
        QCOMPARE(list.entry(1).messageNumber, qint16(1));
        QCOMPARE(list.entry(2).senderName, QStringLiteral("anne marie"));
        QCOMPARE(list.entry(2).senderAddress, QStringLiteral("am@x.fr"));
        QCOMPARE(list.entry(2).sizeKo, 0.5f);
        QCOMPARE(list.entry(2).messageNumber, qint16(2));
        QCOMPARE(list.entry(2).account, qint16(1));
        QCOMPARE(m_events->refreshCounts, QList<int>({ 0, 1, 2 }));

        const QString path = m_folder->file(QStringLiteral("messages.txt"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
        const QByteArray trace = m_folder->readBytes(QStringLiteral("messages.txt"));
        const QByteArray block1 =
            "**********************************\r\n"
            "+ok\r\nreturn-path: <r@exemple.fr>\r\nto: moi@ici.fr\r\nfrom: jean dupont <jean@exemple.fr>\r\n"
            "subject: message 1\r\ndate: tue, 3 feb 2004 10:15:00 +0100\r\n"
            "########\r\nad1 : moi@ici.fr\r\nad2 : \r\nad3 : jean@exemple.fr\r\nad4 : r@exemple.fr\r\n"
            "ad5 : \r\nnom1 : \r\nnom2 : jean dupont\r\nnom3 : \r\ndate : 03/02/2004 10:15:00\r\n"
            "sujet : message 1\r\ntaille : 0\r\n########\r\n**********************************\r\n";
        const QByteArray expected = "<1>  Tentative de connection\r\n"
                                    "<0>  connect\xe9\r\n"
                                    "<0>  recu : +OK ready\r\n\r\n"
                                    "<0>  envoi : USER jean\r\n"
                                    "<0>  recu : +OK\r\n\r\n"
                                    "<0>  envoi : PASS secret\r\n"
                                    "<0>  recu : +OK\r\n\r\n"
                                    "<0>  envoi : STAT\r\n"
                                    "<0>  recu : +OK 2 640\r\n\r\n"
                                    "<0> 2 messages dispo\r\n"
                                    "<0>  envoi : top 1 10\r\n"
                                    "<0>  recu : " + top(1) + "\r\n" + block1 +
                                    "<0>  envoi : top 2 10\r\n"
                                    "<0>  recu : " + top(2, "\"Anne Marie\" <am@x.fr>") + "\r\n";
        QVERIFY2(trace.startsWith(expected), trace.constData());
        const QByteArray tail = "########\r\n**********************************\r\n"
                                "<0>  envoi : LIST\r\n"
                                "<0>  recu : +OK 2 messages\r\n1 2048\r\n2 512\r\n.\r\n\r\n"
                                "<0>  envoi : QUIT\r\n"
                                "<0>  recu : +OK bye\r\n\r\n";
        QVERIFY2(trace.endsWith(tail), trace.constData());
    }

    void emptyMailboxQuitsAndIsProvenGood()
    {
        useAccount(3);
        m_state->debugSwitch = true;
        m_dialogue->StartMailCheck();
        loginTo(3);
        m_dialogue->DataArrival(2, "+OK 0 0\r\n");
        QCOMPARE(m_sockets->takeLines(2), QStringList({ "QUIT" }));
        QCOMPARE(account(3).state, qint16(1));
        QCOMPARE(storedState(3), qint16(1));
        QCOMPARE(m_state->mailList.count, qint16(0));
        const QByteArray trace = m_folder->readBytes(QStringLiteral("messages.txt"));
        QVERIFY(trace.endsWith("<2>  envoi : STAT\r\n<2>  recu : +OK 0 0\r\n\r\n<2>  ok mais pas de message\r\n"));
    }

    void statCount_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<QString>("next");
        QTest::newRow("count and size") << QByteArray("+OK 3 4512\r\n") << "top 1 10";
        QTest::newRow("no space after the count") << QByteArray("+OK 3\r\n") << "top 1 10";
        QTest::newRow("no count") << QByteArray("+OK\r\n") << "QUIT";
        QTest::newRow("words") << QByteArray("+OK mailbox locked\r\n") << "QUIT";
        QTest::newRow("negative") << QByteArray("+OK -4 0\r\n") << "QUIT";
        QTest::newRow("fraction rounds") << QByteArray("+OK 0.6 0\r\n") << "top 1 10";
        QTest::newRow("enormous") << QByteArray("+OK 99999999999999999999999 1\r\n") << "top 1 10";
    }

    void statCount()
    {
        QFETCH(QByteArray, stat);
        QFETCH(QString, next);
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, stat);
        QCOMPARE(m_sockets->takeLines(0), QStringList({ next }));
    }

    void fortyFiveMessagesGiveThirtyTops()
    {
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 45 100000\r\n");
        QStringList tops;
        for (int n = 1; n <= 30; ++n) {
            tops += m_sockets->takeLines(0);
            m_dialogue->DataArrival(0, top(n));
        }
        QCOMPARE(tops.size(), 30);
        QCOMPARE(tops.first(), QStringLiteral("top 1 10"));
        QCOMPARE(tops.last(), QStringLiteral("top 30 10"));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "LIST" }));
        QCOMPARE(m_state->mailList.count, qint16(MailList::Capacity)); // the list holds 20
    }

    void aTopReplyInPiecesIsOneMessage()
    {
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 2 0\r\n");
        m_sockets->takeLines(0);
        const QByteArray whole = top(1);
        m_dialogue->DataArrival(0, whole.left(60));
        QVERIFY(m_sockets->takeLines(0).isEmpty());
        QCOMPARE(m_state->mailList.count, qint16(0));
        m_dialogue->DataArrival(0, whole.mid(60, whole.size() - 63));
        m_dialogue->DataArrival(0, whole.right(3)); // ".\r\n"
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 2 10" }));
        QCOMPARE(m_state->mailList.count, qint16(1));
        QCOMPARE(m_state->mailList.entry(1).subject, QStringLiteral("message 1"));
    }

    void aRefusedTopCountsAsRead()
    {
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 2 0\r\n");
        m_sockets->takeLines(0);
        m_dialogue->DataArrival(0, "-ERR no such message\r\n");
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 2 10" }));
        QCOMPARE(account(1).state, qint16(1));
        m_dialogue->DataArrival(0, top(2));
        QCOMPARE(m_state->mailList.count, qint16(1));
        QCOMPARE(m_state->mailList.entry(1).messageNumber, qint16(2));
    }

    void sizesInTheTopStatusSkipList()
    {
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 1 0\r\n");
        m_sockets->takeLines(0);
        QByteArray reply = top(1);
        reply.replace("+OK\r\n", "+OK 3072 octets\r\n");
        m_dialogue->DataArrival(0, reply);
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "QUIT" }));
        QCOMPARE(m_state->mailList.entry(1).sizeKo, 3.0f);
        QVERIFY(account(1).sizesInTop);
        m_dialogue->StartMailCheck();
        QVERIFY(account(1).sizesInTop); // kept from check to check
    }

    void negativeRepliesMarkTheAccount_data()
    {
        QTest::addColumn<int>("repliesBefore");
        QTest::addColumn<QByteArray>("refusal");
        QTest::newRow("greeting") << 0 << QByteArray("-ERR go away\r\n");
        QTest::newRow("password") << 2 << QByteArray("-ERR [AUTH] Authentication failed.\r\n");
        QTest::newRow("no status sign") << 1 << QByteArray("hello\r\n");
        QTest::newRow("NUL bytes") << 0 << QByteArray("\0\0\0\r\n", 5);
    }

    void negativeRepliesMarkTheAccount()
    {
        QFETCH(int, repliesBefore);
        QFETCH(QByteArray, refusal);
        useAccount(5);
        m_dialogue->StartMailCheck();
        m_sockets->connected[4] = true;
        for (int k = 0; k < repliesBefore; ++k)
            m_dialogue->DataArrival(4, "+OK\r\n");
        m_dialogue->DataArrival(4, refusal);
        QVERIFY(!m_sockets->connected[4]);
        QCOMPARE(account(5).state, qint16(2));
        QCOMPARE(storedState(5), qint16(2));
    }

    void unreachableServerIsTriedThreeTimes_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("host not found") << int(ErrorHostNotFound);
        QTest::newRow("refused") << int(ErrorConnectionRefused);
    }

    void unreachableServerIsTriedThreeTimes()
    {
        QFETCH(int, number);
        useAccount(2);
        account(2).state = 1;
        m_state->debugSwitch = true;
        m_dialogue->StartMailCheck();
        for (int k = 0; k < 3; ++k)
            m_dialogue->SocketError(1, number, QStringLiteral("échec"));
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")).size(), 3);
        QCOMPARE(account(2).state, qint16(2));
        QCOMPARE(storedState(2), qint16(2));
        const QByteArray line = "<1> " + QByteArray::number(number) + "  \xe9" "chec\r\n";
        QCOMPARE(m_folder->readBytes(QStringLiteral("messages.txt")).count(line), 3);
        QCOMPARE(m_folder->readBytes(QStringLiteral("messages.txt")).count("<2>  Tentative de connection\r\n"), 3);
    }

    void localPortInUseThreeTimesLeavesTheState()
    {
        useAccount(1);
        account(1).state = 1;
        m_fraction = 0.25;
        m_dialogue->StartMailCheck();
        for (int k = 0; k < 3; ++k)
            m_dialogue->SocketError(0, ErrorAddressInUse, QStringLiteral("in use"));
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("port")), QStringList({ "port 0 2750", "port 0 2750" }));
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")).size(), 3);
        QCOMPARE(account(1).state, qint16(1));
        QVERIFY(!QFile::exists(m_folder->file(QStringLiteral("courrier.ini"))));
    }

    void otherErrorsOnlyClose()
    {
        useAccount(1);
        m_dialogue->StartMailCheck();
        m_sockets->calls.clear();
        m_dialogue->SocketError(0, 5, QStringLiteral("timeout"));
        QCOMPARE(m_sockets->calls, QStringList({ "close 0" }));
        QCOMPARE(account(1).state, qint16(0));
    }

    void refusedTlsEndsTheDialogueBeforeUser()
    {
        useAccount(3, QStringLiteral("pop3s://pop.exemple.fr"));
        account(3).state = 1;
        m_state->debugSwitch = true;
        m_dialogue->StartMailCheck();
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")),
                 QStringList({ "connect 2 pop3s://pop.exemple.fr:995" }));
        m_sockets->calls.clear();
        m_dialogue->SecureChannelRefused(2, QStringLiteral("certificat non vérifié : expiré"));
        QCOMPARE(m_sockets->calls, QStringList({ "close 2" }));
        QVERIFY(m_sockets->takeLines(2).isEmpty());
        QCOMPARE(account(3).state, qint16(2));
        QCOMPARE(storedState(3), qint16(2));
        QVERIFY(m_folder->readBytes(QStringLiteral("messages.txt"))
                    .endsWith("<2>  TLS refus\xe9 : certificat non v\xe9rifi\xe9 : expir\xe9\r\n"));
        // A later check tries again.
        m_dialogue->StartMailCheck();
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")).size(), 1);
    }

    void debugSoundsAndUnreadableDate()
    {
        m_state->debugSwitch = true;
        m_state->settings.son_connect = m_folder->file(QStringLiteral("connect.wav"));
        m_state->settings.son_mail = m_folder->file(QStringLiteral("mail.wav"));
        m_folder->writeBytes(QStringLiteral("connect.wav"), "RIFF");
        m_folder->writeBytes(QStringLiteral("mail.wav"), "RIFF");
        useAccount(1);
        m_dialogue->StartMailCheck();
        QCOMPARE(m_sound->played, QStringList({ m_state->settings.son_connect }));
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 1 0\r\n");
        QCOMPARE(m_sound->played.last(), m_state->settings.son_mail);
        QByteArray reply = top(1);
        reply.replace("Tue, 3 Feb 2004 10:15:00 +0100", "Someday soon");
        m_dialogue->DataArrival(0, reply);
        QCOMPARE(m_messages->texts(), QStringList({ "someday soon" }));
        QCOMPARE(m_messages->shown[0].style, StylePlain);
        QCOMPARE(m_state->mailList.entry(1).date, ZeroMailDate());

        // Without the debug switch: no sound, no box.
        m_state->debugSwitch = false;
        m_sound->played.clear();
        m_dialogue->StartMailCheck();
        QVERIFY(m_sound->played.isEmpty());
    }

    void maliciousServers_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("pieces");
        QTest::newRow("10 MB reply") << QByteArray(1024 * 1024, 'a') << 10;
        QTest::newRow("no CR LF") << QByteArray(64 * 1024, '+') << 20;
        QByteArray longLine = "+OK\r\nSubject: " + QByteArray(100000, 's') + "\r\nFrom: a@b.fr\r\n";
        QTest::newRow("100 000-character line, never ended") << longLine << 12;
    }

    // At the TOP step, whatever a server sends leaves memory bounded and the account in error.
    void maliciousServers()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, pieces);
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 1 0\r\n");
        m_sockets->takeLines(0);
        for (int k = 0; k < pieces && m_sockets->connected[0]; ++k)
            m_dialogue->DataArrival(0, reply);
        QVERIFY(!m_sockets->connected[0]);
        QCOMPARE(account(1).state, qint16(2));
        QCOMPARE(m_state->mailList.count, qint16(0));
    }

    void hugeButWholeTopRepliesAreRead()
    {
        useAccount(1);
        m_dialogue->StartMailCheck();
        loginTo(1);
        m_dialogue->DataArrival(0, "+OK 2 0\r\n");
        m_sockets->takeLines(0);
        QByteArray many = "+OK\r\n";
        for (int k = 0; k < 5000; ++k)
            many += "X-Spam-Line: " + QByteArray::number(k) + "\r\n";
        many += "From: late@x.fr\r\n\r\n.\r\n";
        m_dialogue->DataArrival(0, many);
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 2 10" }));
        QCOMPARE(m_state->mailList.count, qint16(0)); // the sender lies beyond the lines read
        QByteArray longLine = "+OK\r\nFrom: a@b.fr\r\nSubject: " + QByteArray(100000, 's')
            + "\r\nTo: x@y.fr\r\nDate: 1 jan 2020 00:00:00\r\nX: " + QByteArray(3, '\0') + "\r\n\r\n.\r\n";
        m_dialogue->DataArrival(0, longLine);
        QCOMPARE(m_state->mailList.count, qint16(1));
        QCOMPARE(m_state->mailList.entry(1).subject.size(), 91);
    }
};

QTEST_GUILESS_MAIN(TestCheckDialogue)
#include "test_check_dialogue.moc"
