#include "core/app_state.h"
#include "loopback_relay.h"
#include "mail/mail_checker.h"
#include "mail/mail_deleter.h"
#include "mail/mail_list_logic.h"
#include "recording_mail_view.h"
#include "support/dovecot_server.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"
#include "support/recording_windows.h"
#include "support/temp_app_folder.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace chronolien;
using namespace chronolien::test;

namespace {

QByteArray message(int n)
{
    const QByteArray k = QByteArray::number(n);
    return "Return-Path: <e" + k + "@exemple.fr>\nTo: alice@ici.fr\nFrom: Expediteur " + k + " <e" + k
        + "@exemple.fr>\nSubject: Message " + k + "\nDate: Tue, " + k + " Feb 2004 10:15:00 +0100\n\nCorps "
        + k + "\n";
}

// Another mail program: one POP3 session run to its end, every reply positive.
bool runOtherClient(quint16 port, const QList<QByteArray>& commands)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    for (qsizetype k = -1; k < commands.size(); ++k) { // -1: the greeting
        if (k >= 0)
            socket.write(commands.at(k) + "\r\n");
        while (!socket.canReadLine()) {
            if (!socket.waitForReadyRead(5000))
                return false;
        }
        if (!socket.readLine().startsWith("+OK"))
            return false;
    }
    return true;
}

// The program's mail side over the real sockets: the list's logic, the check and the deletion.
struct MailRig {
    explicit MailRig(AppState& state, quint16 deletionPort = 0)
        : windows(state)
        , logic(state, windows, sound, view, deleter)
        , checker(state, sound, messages, logic, 0)
        , deleter(state, checker, deletionPort)
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

QStringList subjects(const QList<QByteArray>& messages)
{
    QStringList list;
    for (const QByteArray& m : messages) {
        const qsizetype start = m.indexOf("Subject: ") + 9;
        list.append(QString::fromLatin1(m.mid(start, m.indexOf("\r\n", start) - start)));
    }
    return list;
}

} // namespace

class TestMailDeleter : public QObject {
    Q_OBJECT

    std::unique_ptr<TempAppFolder> m_folder;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<DovecotServer> m_server;
    std::unique_ptr<LoopbackRelay> m_proxy;

    void startServer(int messages)
    {
        const QString reason = DovecotServer::unavailableReason();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
        m_server = std::make_unique<DovecotServer>();
        m_server->addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
        for (int n = 1; n <= messages; ++n)
            QVERIFY(m_server->addMessage(QStringLiteral("alice"), message(n)));
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
        m_proxy = std::make_unique<LoopbackRelay>(m_server->port());
        MailboxAccount& a = m_state->mailboxAccounts.account(1);
        a.number = 1;
        a.server = m_proxy->serverText();
        a.login = QStringLiteral("alice");
        a.password = QStringLiteral("secret1");
        a.inUse = true;
    }
    // Waits for a check to end with the given number of entries listed.
    void waitForCheck(int count)
    {
        QTRY_VERIFY_WITH_TIMEOUT(
            m_state->mailList.count == count && m_state->mailboxAccounts.account(1).AccountStep == 0, 15000);
    }
    QStringList stored() const { return subjects(m_server->storedMessages(QStringLiteral("alice"))); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempAppFolder>();
        m_state = std::make_unique<AppState>();
        m_state->appFolder = m_folder->path();
        m_state->settings.courrier = true;
        m_state->connectedFlag = true;
        m_state->settings.affiche_actu = true;
    }
    void cleanup()
    {
        m_proxy.reset();
        m_server.reset();
    }

    // From its own local port, or from another when that one is in use.
    void deletesTheEntryOnTheSecondLineOfAScrolledList()
    {
        startServer(8);
        const quint16 fixed = DovecotServer::freePort();
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, fixed));
        MailRig rig(*m_state, fixed);
        rig.checker.StartMailCheck();
        waitForCheck(8);
        QVERIFY(m_state->mailWindowShown);

        rig.logic.ScrollChanged(5);
        QCOMPARE(rig.view.lines.lines.at(0).caption, QStringLiteral("expediteur. : message 5"));
        QCOMPARE(rig.view.lines.lines.at(1).caption, QStringLiteral("expediteur. : message 6"));
        rig.logic.LinePressed(1);
        rig.windows.calls.clear();
        rig.logic.DeleteSelectedMail();
        // The mail window closes at once...
        QVERIFY(!m_state->mailWindowShown);
        QCOMPARE(rig.windows.calls, QStringList({ "ApplyMailWindow" }));
        QCOMPARE(m_state->mailList.count, qint16(0));

        // ... and opens again when the check that follows the deletion finds the mail left.
        waitForCheck(7);
        QVERIFY(m_state->mailWindowShown);
        QCOMPARE(rig.windows.calls, QStringList({ "ApplyMailWindow", "ApplyMailWindow" }));
        QCOMPARE(stored(),
            QStringList({ "Message 1", "Message 2", "Message 3", "Message 4", "Message 5", "Message 7",
                "Message 8" }));
        const LoopbackRelay::Session deletion = m_proxy->sessionWith(QStringLiteral("dele 6"));
        QCOMPARE(deletion.commands(), QStringList({ "USER alice", "PASS secret1", "top 6 0", "dele 6", "QUIT" }));
        QVERIFY(rig.deleter.localPort() >= 2000 && rig.deleter.localPort() <= 4999);
        QCOMPARE(deletion.peerPort, rig.deleter.localPort());
    }

    void aMessageMovedIntoTheNumberIsNeverDeleted()
    {
        startServer(5);
        MailRig rig(*m_state);
        rig.checker.StartMailCheck();
        waitForCheck(5);
        QCOMPARE(m_state->mailList.entry(3).subject, QStringLiteral("message 3"));

        // Another program deletes message 1: the listed message 3 is now number 2 and message 4
        // has moved into number 3.
        QVERIFY(runOtherClient(m_server->port(), { "USER alice", "PASS secret1", "DELE 1", "QUIT" }));
        QCOMPARE(stored(), QStringList({ "Message 2", "Message 3", "Message 4", "Message 5" }));

        rig.logic.LinePressed(2);
        rig.logic.DeleteSelectedMail();
        waitForCheck(4);
        QCOMPARE(stored(), QStringList({ "Message 2", "Message 3", "Message 4", "Message 5" }));
        QCOMPARE(m_proxy->sessionWith(QStringLiteral("top 3 0")).commands(),
            QStringList({ "USER alice", "PASS secret1", "top 3 0", "QUIT" }));

        // The check has listed the mailbox as it now is: the message is deleted under its new number.
        QCOMPARE(m_state->mailList.entry(2).subject, QStringLiteral("message 3"));
        rig.logic.LinePressed(1);
        rig.logic.DeleteSelectedMail();
        waitForCheck(3);
        QCOMPARE(stored(), QStringList({ "Message 2", "Message 4", "Message 5" }));
        QCOMPARE(m_proxy->sessionWith(QStringLiteral("dele 2")).commands(),
            QStringList({ "USER alice", "PASS secret1", "top 2 0", "dele 2", "QUIT" }));
    }
};

QTEST_GUILESS_MAIN(TestMailDeleter)
#include "test_mail_deleter.moc"
