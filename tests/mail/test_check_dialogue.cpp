#include "fake_check_sockets.h"
#include "mail/accounts_file.h"
#include "mail/check_dialogue.h"
#include "state/app_state.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_mail_list_events.h"
#include "support/temp_app_folder.h"

#include <QFile>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QByteArray top(int n, const QByteArray& from = "Jean Dupont <jean@exemple.fr>")
{
    return "+OK\r\nReturn-Path: <r@exemple.fr>\r\nTo: moi@ici.fr\r\nFrom: " + from + "\r\nSubject: Message "
        + QByteArray::number(n)
        + "\r\nDate: Tue, 3 Feb 2004 10:15:00 +0100\r\n\r\nCorps du message.\r\n.\r\n";
}

// What the trace holds after a TOP reply of top(n, from).
QByteArray traced(int n, const QByteArray& from, const QByteArray& name, const QByteArray& address)
{
    const QByteArray stars = "**********************************\r\n";
    return stars + "+ok\r\nreturn-path: <r@exemple.fr>\r\nto: moi@ici.fr\r\nfrom: " + from
        + "\r\nsubject: message " + QByteArray::number(n)
        + "\r\ndate: tue, 3 feb 2004 10:15:00 +0100\r\n########\r\nad1 : moi@ici.fr\r\n"
        + "ad2 : \r\nad3 : " + address + "\r\nad4 : r@exemple.fr\r\nad5 : \r\nnom1 : \r\nnom2 : " + name
        + "\r\nnom3 : \r\ndate : 03/02/2004 10:15:00\r\nsujet : message " + QByteArray::number(n)
        + "\r\ntaille : 0\r\n########\r\n" + stars;
}

QString describe(const MailEntry& e)
{
    return QStringLiteral("%1|%2|%3|%4 Ko|n%5|a%6")
        .arg(e.senderName, e.senderAddress, e.subject)
        .arg(double(e.sizeKo))
        .arg(e.messageNumber)
        .arg(e.account);
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

    MailboxAccount& account(int n) { return m_state->mailboxAccounts.account(n); }

    void useAccount(int n)
    {
        MailboxAccount& a = account(n);
        a.number = qint16(n);
        a.server = QStringLiteral("pop.exemple.fr");
        a.login = QStringLiteral("jean");
        a.password = QStringLiteral("sécret");
        a.inUse = true;
    }

    // Starts a check of account 1 alone and takes its dialogue to the STAT command.
    void startAndLogin()
    {
        useAccount(1);
        m_dialogue->startMailCheck();
        m_sockets->connected[0] = true;
        m_dialogue->connected(0);
        for (const char* reply : { "+OK ready\r\n", "+OK\r\n", "+OK\r\n" })
            m_dialogue->dataArrival(0, reply);
        // On the wire in UTF-8, as servers keep passwords.
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "USER jean", "PASS sécret", "STAT" }));
    }

    qint16 storedState(int n) const
    {
        MailboxAccounts stored;
        loadAccounts(stored, m_folder->file(QStringLiteral("courrier.ini")));
        return stored.account(n).state;
    }
    QByteArray trace() const { return m_folder->readBytes(QStringLiteral("messages.txt")); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->settings.courrier = true;
        m_state->connectedFlag = true;
        m_sound = std::make_unique<FakeSoundPlayer>();
        m_messages = std::make_unique<MessageBoxRecorder>();
        m_sockets = std::make_unique<FakeCheckSockets>();
        m_events = std::make_unique<RecordingMailListEvents>(*m_state);
        m_dialogue = std::make_unique<CheckDialogue>(
            *m_state, *m_sound, *m_messages, *m_sockets, *m_events, [] { return 0.25; });
        // As in the program, the application folder is known only after the dialogue is built.
        m_state->appFolder = m_folder->path();
    }

    void onlyAccountsInUseAreContacted()
    {
        useAccount(2);
        useAccount(4);
        account(4).inUse = false;
        m_state->settings.courrier = false;
        m_dialogue->startMailCheck();
        m_state->settings.courrier = true;
        m_state->connectedFlag = false;
        m_dialogue->startMailCheck();
        QVERIFY(m_sockets->calls.isEmpty());

        m_state->connectedFlag = true;
        m_state->mailList.count = 5;
        m_dialogue->startMailCheck();
        QCOMPARE(m_events->refreshCounts, QList<int>({ 0 }));
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")),
            QStringList({ "connect 1 pop.exemple.fr:110" }));
    }

    void wholeDialogueListsTheMessagesAndTraces()
    {
        m_state->debugSwitch = true;
        startAndLogin();
        m_dialogue->dataArrival(0, "+OK 2 640\r\n");
        QCOMPARE(storedState(1), qint16(1));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 1 10" }));
        m_dialogue->dataArrival(0, top(1));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 2 10" }));
        m_dialogue->dataArrival(0, top(2, "\"Anne Marie\" <am@x.fr>"));
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "LIST" }));
        m_dialogue->dataArrival(0, "+OK 2 messages\r\n1 2048\r\n2 512\r\n.\r\n");
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "QUIT" }));
        m_dialogue->dataArrival(0, "+OK bye\r\n");
        QVERIFY(!m_sockets->connected[0]);
        QCOMPARE(account(1).checkStep, CheckStep::AwaitingQuit);

        QCOMPARE(describe(m_state->mailList.entry(1)), "jean dupont|jean@exemple.fr|message 1|2 Ko|n1|a1");
        QCOMPARE(describe(m_state->mailList.entry(2)), "anne marie|am@x.fr|message 2|0.5 Ko|n2|a1");
        QCOMPARE(m_state->mailList.count, qint16(2));
        QCOMPARE(m_events->refreshCounts, QList<int>({ 0, 1, 2 }));

        const QByteArray expected = "<1>  Tentative de connection\r\n<0>  connect\xe9\r\n"
                                    "<0>  recu : +OK ready\r\n\r\n<0>  envoi : USER jean\r\n"
                                    "<0>  recu : +OK\r\n\r\n<0>  envoi : PASS s\xe9"
                                    "cret\r\n"
                                    "<0>  recu : +OK\r\n\r\n<0>  envoi : STAT\r\n"
                                    "<0>  recu : +OK 2 640\r\n\r\n<0> 2 messages dispo\r\n"
                                    "<0>  envoi : top 1 10\r\n<0>  recu : "
            + top(1) + "\r\n" + traced(1, "jean dupont <jean@exemple.fr>", "jean dupont", "jean@exemple.fr")
            + "<0>  envoi : top 2 10\r\n<0>  recu : " + top(2, "\"Anne Marie\" <am@x.fr>") + "\r\n"
            + traced(2, "\"anne marie\" <am@x.fr>", "anne marie", "am@x.fr")
            + "<0>  envoi : LIST\r\n<0>  recu : +OK 2 messages\r\n1 2048\r\n2 512\r\n.\r\n\r\n"
              "<0>  envoi : QUIT\r\n<0>  recu : +OK bye\r\n\r\n";
        QCOMPARE(trace(), expected);
    }

    void statCount_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty mailbox") << QByteArray("+OK 0 0\r\n") << "QUIT";
        QTest::newRow("no space after the count") << QByteArray("+OK 3\r\n") << "top 1 10";
        QTest::newRow("no count") << QByteArray("+OK\r\n") << "QUIT";
        QTest::newRow("words") << QByteArray("+OK mailbox locked\r\n") << "QUIT";
        QTest::newRow("negative") << QByteArray("+OK -4 0\r\n") << "QUIT";
        QTest::newRow("enormous") << QByteArray("+OK 99999999999999999999999 1\r\n") << "top 1 10";
    }

    // Any positive answer to STAT proves the account good, stored at once.
    void statCount()
    {
        QFETCH(QByteArray, stat);
        startAndLogin();
        m_dialogue->dataArrival(0, stat);
        QTEST(m_sockets->takeLines(0).join(u'|'), "next");
        QCOMPARE(account(1).state, qint16(1));
        QCOMPARE(storedState(1), qint16(1));
    }

    void fortyFiveMessagesGiveThirtyTops()
    {
        startAndLogin();
        m_dialogue->dataArrival(0, "+OK 45 100000\r\n");
        QStringList sent;
        for (int n = 1; n <= 30; ++n) {
            sent += m_sockets->takeLines(0);
            m_dialogue->dataArrival(0, top(n));
        }
        sent += m_sockets->takeLines(0);
        QCOMPARE(sent.size(), 31);
        QCOMPARE(sent.at(29), QStringLiteral("top 30 10"));
        QCOMPARE(sent.last(), QStringLiteral("LIST"));
        QCOMPARE(m_state->mailList.count, qint16(MailList::Capacity));
    }

    void topRepliesInPiecesRefusedMinimalOrSized()
    {
        startAndLogin();
        m_dialogue->dataArrival(0, "+OK 4 0\r\n");
        m_sockets->takeLines(0);
        // A reply in pieces is one message and one next TOP.
        const QByteArray whole = top(1);
        m_dialogue->dataArrival(0, whole.left(60));
        m_dialogue->dataArrival(0, whole.mid(60, whole.size() - 63));
        QVERIFY(m_sockets->takeLines(0).isEmpty());
        m_dialogue->dataArrival(0, whole.right(3)); // ".\r\n"
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 2 10" }));
        QCOMPARE(m_state->mailList.count, qint16(1));
        // A refused TOP (a message gone meanwhile) counts as read.
        m_dialogue->dataArrival(0, "-ERR no such message\r\n");
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 3 10" }));
        QCOMPARE(account(1).state, qint16(1));
        // A header block of a single line is a message all the same.
        m_dialogue->dataArrival(0, "+OK\r\nFrom: a@b.fr\r\n\r\n.\r\n");
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "top 4 10" }));
        QCOMPARE(describe(m_state->mailList.entry(2)), "a@b.fr|a@b.fr||0 Ko|n3|a1");
        // A size given in the TOP status line makes LIST needless.
        QByteArray sized = top(4);
        sized.replace("+OK\r\n", "+OK 3072 octets\r\n");
        m_dialogue->dataArrival(0, sized);
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "QUIT" }));
        QCOMPARE(describe(m_state->mailList.entry(3)), "jean dupont|jean@exemple.fr|message 4|3 Ko|n4|a1");
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
        useAccount(1);
        m_dialogue->startMailCheck();
        m_sockets->connected[0] = true;
        const QList<QByteArray> positive { "+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 0\r\n" };
        for (int k = 0; k < answered; ++k)
            m_dialogue->dataArrival(0, positive.at(k));
        for (int k = 0; k < pieces && m_sockets->connected[0]; ++k) {
            if (reply == "silence")
                m_dialogue->serverSilent(0);
            else
                m_dialogue->dataArrival(0, reply);
        }
        QVERIFY(!m_sockets->connected[0]);
        QCOMPARE(account(1).state, qint16(2));
        QCOMPARE(storedState(1), qint16(2));
        QCOMPARE(m_state->mailList.count, qint16(0));
    }

    // The checks save the accounts every few minutes: a folder that stays unwritable is told once.
    void anUnwritableAccountsFileIsToldOnce()
    {
        m_state->appFolder = m_folder->file(QStringLiteral("gone"));
        startAndLogin();
        m_dialogue->dataArrival(0, "+OK 0 0\r\n"); // proven good: saved
        m_sockets->takeLines(0);
        startAndLogin();
        m_dialogue->dataArrival(0, "-ERR\r\n"); // in error: saved
        QCOMPARE(account(1).state, qint16(2));
        QCOMPARE(m_messages->texts(),
            QStringList { QStringLiteral("Impossible d'écrire dans le fichier ")
                + m_folder->file(QStringLiteral("gone/courrier.ini")) });
    }

    // Silence after QUIT, when only the goodbye is missing, leaves the account as the check made it.
    void silenceAfterQuitIsNoFailure()
    {
        startAndLogin();
        m_dialogue->dataArrival(0, "+OK 0 0\r\n");
        QCOMPARE(m_sockets->takeLines(0), QStringList({ "QUIT" }));
        m_sockets->calls.clear();
        m_dialogue->serverSilent(0);
        QCOMPARE(m_sockets->calls, QStringList({ "close 0" }));
        QCOMPARE(storedState(1), qint16(1));
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
        useAccount(1);
        account(1).state = 1;
        m_state->debugSwitch = true;
        m_dialogue->startMailCheck();
        for (int k = 0; k < 3; ++k)
            m_dialogue->socketError(0, number, QStringLiteral("échec"));
        QCOMPARE(m_sockets->calls.filter(QStringLiteral("connect")).size(), attempts);
        QTEST(m_sockets->calls.filter(QStringLiteral("port")), "ports");
        QCOMPARE(trace().count("<1>  Tentative de connection\r\n"), attempts);
        QCOMPARE(trace().count("<0> " + QByteArray::number(number)
                     + "  \xe9"
                       "chec\r\n"),
            3);
        QCOMPARE(account(1).state, qint16(state));
        QCOMPARE(QFile::exists(m_folder->file(QStringLiteral("courrier.ini"))), state == 2);
    }
};

QTEST_GUILESS_MAIN(TestCheckDialogue)
#include "test_check_dialogue.moc"
