#include "core/app_state.h"
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

// Stands between the program and the server and keeps the command lines each connection sent.
class RecordingProxy : public QObject {
public:
    struct Session {
        quint16 peerPort = 0;
        QStringList commands;
        QByteArray pending;
    };

    explicit RecordingProxy(quint16 target)
        : m_target(target)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* client = m_server.nextPendingConnection();
            auto* upstream = new QTcpSocket(this);
            const qsizetype index = sessions.size();
            sessions.append({ client->peerPort(), {}, {} });
            connect(client, &QTcpSocket::readyRead, this, [this, client, upstream, index] {
                const QByteArray bytes = client->readAll();
                upstream->write(bytes);
                Session& s = sessions[index];
                s.pending += bytes;
                for (qsizetype end = s.pending.indexOf("\r\n"); end >= 0; end = s.pending.indexOf("\r\n")) {
                    s.commands.append(QString::fromLatin1(s.pending.left(end)));
                    s.pending.remove(0, end + 2);
                }
            });
            connect(upstream, &QTcpSocket::readyRead, this,
                [client, upstream] { client->write(upstream->readAll()); });
            connect(client, &QTcpSocket::disconnected, upstream, &QTcpSocket::disconnectFromHost);
            connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            upstream->connectToHost(QHostAddress::LocalHost, m_target);
        });
    }
    QString serverText() const
    {
        return QStringLiteral("127.0.0.1:") + QString::number(m_server.serverPort());
    }

    // The commands of the connection that sent the given one.
    QStringList sessionWith(const QString& command) const
    {
        for (const Session& s : sessions) {
            if (s.commands.contains(command))
                return s.commands;
        }
        return {};
    }

    QList<Session> sessions;

private:
    QTcpServer m_server;
    quint16 m_target;
};

// Another mail program: one POP3 session run to its end.
bool runOtherClient(quint16 port, const QList<QByteArray>& commands)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return false;
    auto reply = [&socket] {
        QByteArray line;
        while (!line.endsWith("\r\n")) {
            if (!socket.bytesAvailable() && !socket.waitForReadyRead(5000))
                return QByteArray();
            line += socket.read(1);
        }
        return line;
    };
    if (!reply().startsWith("+OK"))
        return false;
    for (const QByteArray& command : commands) {
        socket.write(command + "\r\n");
        if (!reply().startsWith("+OK"))
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
    std::unique_ptr<RecordingProxy> m_proxy;

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
        m_proxy = std::make_unique<RecordingProxy>(m_server->port());
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

    void deletesTheEntryOnTheSecondLineOfAScrolledList()
    {
        startServer(8);
        MailRig rig(*m_state);
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
        QCOMPARE(m_proxy->sessionWith(QStringLiteral("dele 6")),
            QStringList({ "USER alice", "PASS secret1", "top 6 0", "dele 6", "QUIT" }));
        for (int e = 1; e <= 7; ++e)
            QVERIFY(m_state->mailList.entry(e).subject != QStringLiteral("message 6"));
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
        QCOMPARE(m_proxy->sessionWith(QStringLiteral("top 3 0")),
            QStringList({ "USER alice", "PASS secret1", "top 3 0", "QUIT" }));

        // The check has listed the mailbox as it now is: the message is deleted under its new number.
        QCOMPARE(m_state->mailList.entry(2).subject, QStringLiteral("message 3"));
        rig.logic.LinePressed(1);
        rig.logic.DeleteSelectedMail();
        waitForCheck(3);
        QCOMPARE(stored(), QStringList({ "Message 2", "Message 4", "Message 5" }));
        QCOMPARE(m_proxy->sessionWith(QStringLiteral("dele 2")),
            QStringList({ "USER alice", "PASS secret1", "top 2 0", "dele 2", "QUIT" }));
    }

    void theFixedLocalPortAndItsFallback()
    {
        startServer(1);
        const quint16 fixed = DovecotServer::freePort();
        QTcpServer squatter; // holds the deletion socket's own port
        QVERIFY(squatter.listen(QHostAddress::Any, fixed));
        MailRig rig(*m_state, fixed);
        rig.checker.StartMailCheck();
        waitForCheck(1);
        const qsizetype before = m_proxy->sessions.size();
        rig.logic.LinePressed(0);
        rig.logic.DeleteSelectedMail();
        QTRY_VERIFY_WITH_TIMEOUT(stored().isEmpty(), 15000);
        QVERIFY(rig.deleter.localPort() >= 2000 && rig.deleter.localPort() <= 4999);
        QCOMPARE(m_proxy->sessions.at(before).peerPort, rig.deleter.localPort());
    }
};

QTEST_GUILESS_MAIN(TestMailDeleter)
#include "test_mail_deleter.moc"
