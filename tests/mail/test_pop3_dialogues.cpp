#include "mail/accounts_file.h"
#include "mail/check_dialogue.h"
#include "mail/check_sockets.h"
#include "mail/deletion_dialogue.h"
#include "state/app_state.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/temp_app_folder.h"

#include <QFile>
#include <QTest>
#include <utility>

using namespace chronolien;
using namespace chronolien::test;

namespace {

constexpr int Deletion = 5; // the deletion socket, after the five check sockets

// The five check sockets and the deletion socket as a script: what the dialogues asked of them, in
// order, and the bytes they sent on each. A socket is connected only when the test says so.
class FakeSockets final : public CheckSockets, public DeletionSocket {
public:
    void closeSocket(int i) override
    {
        calls.append(QStringLiteral("close %1").arg(i));
        connected.at(std::size_t(i)) = false;
    }
    void setLocalPort(int i, quint16 port) override
    {
        calls.append(QStringLiteral("port %1 %2").arg(i).arg(port));
    }
    void connectSocket(int i, const Pop3Endpoint& to) override
    {
        calls.append(QStringLiteral("connect %1 %2:%3").arg(i).arg(to.host).arg(to.port));
    }
    void send(int i, const QByteArray& bytes) override { sent.at(std::size_t(i)) += bytes; }
    bool isConnected(int i) const override { return connected.at(std::size_t(i)); }
    void closeSocket() override { closeSocket(Deletion); }
    void setLocalPort(quint16 port) override { setLocalPort(Deletion, port); }
    void connectSocket(const Pop3Endpoint& to) override { connectSocket(Deletion, to); }
    void send(const QByteArray& bytes) override { send(Deletion, bytes); }
    bool isConnected() const override { return isConnected(Deletion); }

    // The lines sent on socket i since the last call, without their CR LF.
    QStringList takeLines(int i)
    {
        QStringList lines = QString::fromUtf8(std::exchange(sent.at(std::size_t(i)), {})).split("\r\n");
        if (!lines.takeLast().isEmpty())
            lines.append(QStringLiteral("<unterminated>"));
        return lines;
    }

    QStringList calls;
    std::array<bool, 6> connected {};
    std::array<QByteArray, 6> sent;
};

QByteArray top(const QByteArray& subject, const QByteArray& from = "Jean Dupont <Jean@Exemple.fr>")
{
    return "+OK\r\nReturn-Path: <r@exemple.fr>\r\nTo: moi@ici.fr\r\nFrom: " + from + "\r\nSubject: " + subject
        + "\r\nDate: Tue, 3 Feb 2004 10:15:00 +0100\r\n\r\nCorps du message.\r\n.\r\n";
}

QString describe(const MailEntry& e)
{
    return QStringLiteral("%1|%2|%3|%4 Ko|n%5|a%6")
        .arg(e.senderName, e.senderAddress, e.subject)
        .arg(double(e.sizeKo))
        .arg(e.messageNumber)
        .arg(e.account);
}

// Message 3 of account 1 as the check listed top("Message trois"); LIST gave its size.
const DeletionTarget Listed { 1, 3,
    { "moi@ici.fr", "jean@exemple.fr", "jean dupont", QDateTime(QDate(2004, 2, 3), QTime(10, 15), Qt::UTC),
        4.5f, "message trois", 3, 1 } };

// The check and the deletion dialogues over the fake sockets, in a fresh application folder, with
// the line up and mail checking on.
struct Rig {
    Rig()
    {
        state.settings.courrier = true;
        state.connectedFlag = true;
        // As in the program, the application folder is known only after the dialogues are built.
        state.appFolder = folder.path();
    }

    MailboxAccount& account(int n) { return state.mailboxAccounts.account(n); }
    void useAccount(int n, qint16 accountState = 0)
    {
        account(n) = { qint16(n), "pop.exemple.fr", "jean", QStringLiteral("sécret"), accountState, true };
    }
    qint16 storedState(int n) const
    {
        MailboxAccounts stored;
        loadAccounts(stored, folder.file(QStringLiteral("courrier.ini")));
        return stored.account(n).state;
    }
    QByteArray trace() const { return folder.readBytes(QStringLiteral("messages.txt")); }

    // Starts a check of account 1 alone and takes its dialogue to the STAT command.
    void startCheckAndLogin()
    {
        useAccount(1);
        check.startMailCheck();
        sockets.connected[0] = true;
        check.connected(0);
        for (const char* reply : { "+OK ready\r\n", "+OK\r\n", "+OK\r\n" })
            check.dataArrival(0, reply);
        // On the wire in UTF-8, as servers keep passwords.
        QCOMPARE(sockets.takeLines(0), QStringList({ "USER jean", "PASS sécret", "STAT" }));
    }
    // Starts the deletion of Listed and takes its dialogue to the TOP command.
    void startDeletionAndLogin()
    {
        useAccount(1, 1);
        deletion.startDeletion(Listed);
        QCOMPARE(sockets.calls, QStringList({ "close 5", "connect 5 pop.exemple.fr:110" }));
        sockets.connected[Deletion] = true;
        for (const char* reply : { "+OK ready\r\n", "+OK\r\n", "+OK Logged in.\r\n" })
            deletion.dataArrival(reply);
        QCOMPARE(sockets.takeLines(Deletion), QStringList({ "USER jean", "PASS sécret", "top 3 0" }));
    }

    TempAppFolder folder;
    AppState state;
    FakeSoundPlayer sound;
    MessageBoxRecorder messages;
    FakeSockets sockets;
    RecordingMailListEvents events { state };
    double fraction = 0.25; // the random draw behind a new local port
    int checksStarted = 0; // by the deletion
    CheckDialogue check { state, sound, messages, sockets, events, [this] { return fraction; } };
    DeletionDialogue deletion { state, sockets, [this] { ++checksStarted; }, [this] { return fraction; } };
};

} // namespace

// The check and deletion dialogues on byte strings: their steps, retries, the accounts' states,
// the trace and what hostile servers send.
class TestPop3Dialogues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Nothing is contacted with mail checking off or the line down, and then only the accounts in use.
    void onlyAccountsInUseAreContacted()
    {
        Rig r;
        r.useAccount(2);
        r.useAccount(4);
        r.account(4).inUse = false;
        for (const auto& [courrier, connected] : { std::pair(false, true), std::pair(true, false) }) {
            r.state.settings.courrier = courrier;
            r.state.connectedFlag = connected;
            r.check.startMailCheck();
            r.deletion.startDeletion(Listed);
        }
        QVERIFY(r.sockets.calls.isEmpty());

        r.state.connectedFlag = true;
        r.state.mailList.count = 5;
        r.check.startMailCheck();
        QCOMPARE(r.events.refreshCounts, QList<int>({ 0 }));
        QCOMPARE(r.sockets.calls.filter("connect"), QStringList({ "connect 1 pop.exemple.fr:110" }));
    }

    void aWholeCheckListsTheMessagesAndTracesEachStep()
    {
        Rig r;
        r.state.debugSwitch = true;
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 1 640\r\n");
        QCOMPARE(r.storedState(1), qint16(1));
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "top 1 10" }));
        r.check.dataArrival(0, top("Message 1"));
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "LIST" }));
        r.check.dataArrival(0, "+OK 1 messages\r\n1 2048\r\n.\r\n");
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "QUIT" }));
        r.check.dataArrival(0, "+OK bye\r\n");
        QVERIFY(!r.sockets.connected[0]);
        QCOMPARE(r.account(1).checkStep, CheckStep::AwaitingQuit);
        QCOMPARE(r.state.mailList.count, qint16(1));
        QCOMPARE(describe(r.state.mailList.entry(1)), "jean dupont|jean@exemple.fr|message 1|2 Ko|n1|a1");
        QCOMPARE(r.events.refreshCounts, QList<int>({ 0, 1 }));

        const QByteArray stars = "**********************************\r\n";
        QCOMPARE(r.trace(),
            "<1>  Tentative de connection\r\n<0>  connect\xe9\r\n<0>  recu : +OK ready\r\n\r\n"
            "<0>  envoi : USER jean\r\n<0>  recu : +OK\r\n\r\n<0>  envoi : PASS s\xe9"
            "cret\r\n<0>  recu : +OK\r\n\r\n<0>  envoi : STAT\r\n<0>  recu : +OK 1 640\r\n\r\n"
            "<0> 1 messages dispo\r\n<0>  envoi : top 1 10\r\n<0>  recu : "
                + top("Message 1") + "\r\n" + stars
                + "+ok\r\nreturn-path: <r@exemple.fr>\r\nto: moi@ici.fr\r\nfrom: jean dupont "
                  "<jean@exemple.fr>\r\n"
                  "subject: message 1\r\ndate: tue, 3 feb 2004 10:15:00 +0100\r\n########\r\nad1 : "
                  "moi@ici.fr\r\n"
                  "ad2 : \r\nad3 : jean@exemple.fr\r\nad4 : r@exemple.fr\r\nad5 : \r\nnom1 : \r\nnom2 : jean "
                  "dupont\r\n"
                  "nom3 : \r\ndate : 03/02/2004 10:15:00\r\nsujet : message 1\r\ntaille : 0\r\n########\r\n"
                + stars
                + "<0>  envoi : LIST\r\n<0>  recu : +OK 1 messages\r\n1 2048\r\n.\r\n\r\n<0>  envoi : "
                  "QUIT\r\n"
                  "<0>  recu : +OK bye\r\n\r\n");
    }

    void statCount_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty mailbox") << QByteArray("+OK 0 0\r\n") << "QUIT";
        QTest::newRow("no space after the count") << QByteArray("+OK 3\r\n") << "top 1 10";
        QTest::newRow("no count") << QByteArray("+OK\r\n") << "QUIT";
        QTest::newRow("negative") << QByteArray("+OK -4 0\r\n") << "QUIT";
        QTest::newRow("enormous") << QByteArray("+OK 99999999999999999999999 1\r\n") << "top 1 10";
    }
    // Any positive answer to STAT proves the account good, stored at once. Silence after QUIT, when
    // only the goodbye is missing, is no failure.
    void statCount()
    {
        QFETCH(QByteArray, stat);
        QFETCH(QString, next);
        Rig r;
        r.startCheckAndLogin();
        r.check.dataArrival(0, stat);
        QCOMPARE(r.sockets.takeLines(0).join(u'|'), next);
        if (next == u"QUIT") {
            r.check.serverSilent(0);
            QCOMPARE(r.sockets.calls.last(), QStringLiteral("close 0"));
        }
        QCOMPARE(r.storedState(1), qint16(1));
    }

    // At most 30 messages are read; LIST gives the sizes, past the reply's 20th line too.
    void fortyFiveMessagesGiveThirtyTopsThenTheirSizes()
    {
        Rig r;
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 45 100000\r\n");
        QByteArray listing = "+OK\r\n";
        for (int n = 1; n <= 45; ++n) {
            listing += QByteArray::number(n) + ' ' + QByteArray::number(n * 1024) + "\r\n";
            if (n > 30)
                continue;
            QCOMPARE(r.sockets.takeLines(0), QStringList { QStringLiteral("top %1 10").arg(n) });
            r.check.dataArrival(0, top("Message " + QByteArray::number(n)));
        }
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "LIST" }));
        QCOMPARE(r.state.mailList.count, qint16(MailList::Capacity));
        r.check.dataArrival(0, listing + ".\r\n");
        QCOMPARE(r.state.mailList.entry(20).sizeKo, 20.0f);
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "QUIT" }));
    }

    void topRepliesInPiecesRefusedSizedOrMinimal()
    {
        Rig r;
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 3 0\r\n");
        r.sockets.takeLines(0);
        // A reply in pieces is one message and one next TOP.
        const QByteArray whole = top("Message 1");
        r.check.dataArrival(0, whole.left(60));
        r.check.dataArrival(0, whole.mid(60, whole.size() - 63));
        QVERIFY(r.sockets.takeLines(0).isEmpty());
        r.check.dataArrival(0, whole.right(3)); // ".\r\n"
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "top 2 10" }));
        QCOMPARE(r.state.mailList.count, qint16(1));
        // A refused TOP (a message gone meanwhile) counts as read.
        r.check.dataArrival(0, "-ERR no such message\r\n");
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "top 3 10" }));
        QCOMPARE(r.account(1).state, qint16(1));
        // A size given in the TOP status line makes LIST needless; a block of one header is a message.
        r.check.dataArrival(0, "+OK 3072 octets\r\nFrom: a@b.fr\r\n\r\n.\r\n");
        QCOMPARE(r.sockets.takeLines(0), QStringList({ "QUIT" }));
        QCOMPARE(describe(r.state.mailList.entry(2)), "a@b.fr|a@b.fr||3 Ko|n3|a1");
    }

    void failingServers_data()
    {
        QTest::addColumn<int>("answered"); // positive replies before, to the greeting, USER, PASS, STAT
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("pieces");
        QTest::newRow("refused greeting") << 0 << QByteArray("-ERR go away\r\n") << 1;
        QTest::newRow("wrong password") << 2 << QByteArray("-ERR [AUTH] Authentication failed.\r\n") << 1;
        QTest::newRow("no status sign") << 1 << QByteArray("hello\r\n") << 1;
        QTest::newRow("NUL bytes") << 0 << QByteArray("\0\0\0\r\n", 5) << 1;
        QTest::newRow("10 MB reply") << 4 << QByteArray(1024 * 1024, 'a') << 10;
        QTest::newRow("silent for the reply limit") << 2 << QByteArray("silence") << 1;
    }
    // A refusal, a reply that never ends (memory bounded) or no reply at all closes the socket and
    // puts the account in error, stored.
    void failingServers()
    {
        QFETCH(int, answered);
        QFETCH(QByteArray, reply);
        QFETCH(int, pieces);
        Rig r;
        r.useAccount(1);
        r.check.startMailCheck();
        r.sockets.connected[0] = true;
        const QList<QByteArray> positive { "+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 0\r\n" };
        for (int k = 0; k < answered; ++k)
            r.check.dataArrival(0, positive.at(k));
        for (int k = 0; k < pieces && r.sockets.connected[0]; ++k) {
            if (reply == "silence")
                r.check.serverSilent(0);
            else
                r.check.dataArrival(0, reply);
        }
        QVERIFY(!r.sockets.connected[0]);
        QCOMPARE(r.account(1).state, qint16(2));
        QCOMPARE(r.storedState(1), qint16(2));
        QCOMPARE(r.state.mailList.count, qint16(0));
    }

    // The checks save the accounts every few minutes: a folder that stays unwritable is told once.
    void anUnwritableAccountsFileIsToldOnce()
    {
        Rig r;
        r.state.appFolder = r.folder.file(QStringLiteral("gone"));
        r.startCheckAndLogin();
        r.check.dataArrival(0, "+OK 0 0\r\n"); // proven good: saved
        r.sockets.takeLines(0);
        r.startCheckAndLogin();
        r.check.dataArrival(0, "-ERR\r\n"); // in error: saved
        QCOMPARE(r.account(1).state, qint16(2));
        QCOMPARE(r.messages.texts(),
            QStringList { "Impossible d'écrire dans le fichier " + r.folder.file("gone/courrier.ini") });
    }

    void socketErrors_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("ports");
        QTest::newRow("host not found") << int(ErrorHostNotFound) << 3 << 2 << QStringList();
        QTest::newRow("refused") << int(ErrorConnectionRefused) << 3 << 2 << QStringList();
        QTest::newRow("address in use")
            << int(ErrorAddressInUse) << 3 << 1 << QStringList({ "port 0 2750", "port 0 2750" });
        QTest::newRow("other") << 5 << 1 << 1 << QStringList();
    }
    // Each of three errors in a row, traced; an account in error is stored, else the file is left.
    void socketErrors()
    {
        QFETCH(int, number);
        QFETCH(int, attempts);
        QFETCH(int, state);
        Rig r;
        r.useAccount(1, 1);
        r.state.debugSwitch = true;
        r.check.startMailCheck();
        for (int k = 0; k < 3; ++k)
            r.check.socketError(0, number, QStringLiteral("échec"));
        QCOMPARE(r.sockets.calls.filter(QStringLiteral("connect")).size(), attempts);
        QTEST(r.sockets.calls.filter(QStringLiteral("port")), "ports");
        QCOMPARE(r.trace().count("<1>  Tentative de connection\r\n"), attempts);
        QCOMPARE(r.trace().count("<0> " + QByteArray::number(number)
                     + "  \xe9"
                       "chec\r\n"),
            3);
        QCOMPARE(r.account(1).state, qint16(state));
        QCOMPARE(QFile::exists(r.folder.file(QStringLiteral("courrier.ini"))), state == 2);
    }

    // The headers confirm the listed message, it is deleted, and once the server has answered QUIT a
    // check follows.
    void theListedMessageIsDeletedThenTheMailboxChecked()
    {
        Rig r;
        r.state.debugSwitch = true;
        r.startDeletionAndLogin();
        const QByteArray headers = top("Message trois");
        r.deletion.dataArrival(headers);
        QCOMPARE(r.sockets.takeLines(Deletion), QStringList({ "dele 3" }));
        r.deletion.dataArrival("+OK Deleted.\r\n");
        QCOMPARE(r.sockets.takeLines(Deletion), QStringList({ "QUIT" }));
        QCOMPARE(r.checksStarted, 0); // not before the server has answered QUIT
        r.deletion.dataArrival("+OK Logging out, messages deleted.\r\n");
        QCOMPARE(r.checksStarted, 1);
        QCOMPARE(r.sockets.calls.last(), QStringLiteral("close 5"));
        QCOMPARE(r.account(1).state, qint16(1));
        QCOMPARE(r.trace(),
            "<supr>  Tentative de connection\r\n<supr>  recu : +OK ready\r\n\r\n<supr>  envoi : USER jean\r\n"
            "<supr>  recu : +OK\r\n\r\n<supr>  envoi : PASS s\xe9"
            "cret\r\n<supr>  recu : +OK Logged in.\r\n\r\n<supr>  envoi : top 3 0\r\n<supr>  recu : "
                + headers
                + "\r\n<supr>  envoi : dele 3\r\n<supr>  recu : +OK Deleted.\r\n\r\n"
                  "<supr>  recu : +OK Logging out, messages deleted.\r\n\r\n");
    }

    void whatEndsADeletion_data()
    {
        QTest::addColumn<int>("answered"); // positive replies before, to the greeting, USER, PASS, TOP, DELE
        QTest::addColumn<QByteArray>("reply"); // "refused": the connection; "silence": no reply
        QTest::addColumn<bool>("checked"); // ended with QUIT and a check, else given up
        // Another message under the number, or none: nothing is deleted.
        QTest::newRow("another subject") << 3 << top("Message quatre") << true;
        QTest::newRow("another sender") << 3 << top("Message trois", "marie@exemple.fr") << true;
        QTest::newRow("no such message") << 3 << QByteArray("-ERR There's no message 3.\r\n") << true;
        QTest::newRow("no headers") << 3 << QByteArray("+OK\r\n\r\n.\r\n") << true;
        const QByteArray refusal = "-ERR non\r\n";
        QTest::newRow("greeting refused") << 0 << refusal << false;
        QTest::newRow("DELE refused") << 4 << refusal << false;
        QTest::newRow("QUIT refused") << 5 << refusal << false;
        QTest::newRow("a flood instead of headers")
            << 3 << "+OK\r\n" + QByteArray(2 * 1024 * 1024, 'z') << false;
        QTest::newRow("connection refused") << 0 << QByteArray("refused") << false;
        QTest::newRow("silent before DELE") << 3 << QByteArray("silence") << false;
    }
    // A deletion given up closes its socket and sends nothing more, and no check follows; the
    // account keeps its state either way.
    void whatEndsADeletion()
    {
        QFETCH(int, answered);
        QFETCH(QByteArray, reply);
        QFETCH(bool, checked);
        Rig r;
        r.useAccount(1, 1);
        r.state.debugSwitch = true;
        r.deletion.startDeletion(Listed);
        r.sockets.connected[Deletion] = true;
        const QList<QByteArray> replies { "+OK\r\n", "+OK\r\n", "+OK\r\n", top("Message trois"), "+OK\r\n" };
        for (int k = 0; k < answered; ++k)
            r.deletion.dataArrival(replies.at(k));
        r.sockets.takeLines(Deletion);
        r.sockets.calls.clear();
        if (reply == "refused")
            r.deletion.socketError(ErrorConnectionRefused, QStringLiteral("Connection refused"));
        else if (reply == "silence")
            r.deletion.serverSilent();
        else
            r.deletion.dataArrival(reply);
        if (checked) {
            QCOMPARE(r.sockets.takeLines(Deletion), QStringList({ "QUIT" }));
            QVERIFY(r.trace().contains(
                "<supr>  message 3 chang\xe9 sur le serveur : rien n'est supprim\xe9\r\n"));
            r.deletion.dataArrival("+OK Logging out.\r\n");
        } else {
            QCOMPARE(r.sockets.calls, QStringList({ "close 5" }));
            QVERIFY(r.sockets.takeLines(Deletion).isEmpty());
        }
        QCOMPARE(r.checksStarted, checked ? 1 : 0);
        QCOMPARE(r.account(1).state, qint16(1));
    }

    // A local port in use is replaced by a random one, a bounded number of times in a row.
    void theDeletionRetriesOnAnotherPortAFewTimes()
    {
        Rig r;
        r.useAccount(1, 1);
        r.state.debugSwitch = true;
        r.deletion.startDeletion(Listed);
        r.sockets.calls.clear();
        r.deletion.socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(r.sockets.calls,
            QStringList({ "close 5", "port 5 2750", "close 5", "connect 5 pop.exemple.fr:110" }));
        QVERIFY(r.trace().contains("<supr> 10048  Address in use\r\n"));
        r.fraction = 0.999999;
        for (int k = 0; k < 10; ++k)
            r.deletion.socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(r.sockets.calls.filter(QStringLiteral("connect")).size(), DeletionDialogue::MaxPortRetries);
        QVERIFY(r.sockets.calls.contains(QStringLiteral("port 5 4999")));
        // Another deletion starts afresh.
        r.sockets.calls.clear();
        r.deletion.startDeletion(Listed);
        r.deletion.socketError(ErrorAddressInUse, QStringLiteral("Address in use"));
        QCOMPARE(r.sockets.calls.filter(QStringLiteral("connect")).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestPop3Dialogues)
#include "test_pop3_dialogues.moc"
