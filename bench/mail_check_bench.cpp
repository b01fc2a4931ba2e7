// One mail check of 5 accounts with 30 messages each against a private Dovecot on loopback, timed
// beside a minimal POP3 client that sends the same commands in the same order (USER, PASS, STAT,
// "top n 10" for n = 1 to 30, LIST, QUIT) on five connections at once. Both are timed from the start
// of the check to the last QUIT sent, in the same event loop; the medians and their ratio are
// printed.
//
//   bench_mail_check [rounds]      (7 by default)
#include "mail/mail_checker.h"
#include "mail/mail_list_events.h"
#include "platform/linux/module_socket_maker.h"
#include "platform/message_box.h"
#include "platform/sound_player.h"
#include "state/app_state.h"
#include "support/dovecot_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>

using namespace chronolien;

namespace {

constexpr int Accounts = 5;
constexpr int MessagesPerAccount = 30;

// A message as large providers deliver them: a long chain of headers before the ones the check
// reads, then a body.
QByteArray message(int account, int n)
{
    QByteArray m;
    for (int hop = 0; hop < 8; ++hop)
        m += "Received: from relay" + QByteArray::number(hop) + ".exemple.net (relay"
            + QByteArray::number(hop) + ".exemple.net [192.0.2." + QByteArray::number(hop)
            + "])\n\tby mx.exemple.fr with ESMTPS id " + QByteArray::number(1000 + n) + "\n\tfor <user"
            + QByteArray::number(account) + "@exemple.fr>; Tue, 3 Feb 2004 10:15:00 +0100\n";
    m += "DKIM-Signature: v=1; a=rsa-sha256; d=exemple.net; s=sel; bh=" + QByteArray(44, 'b')
        + "=;\n\tb=" + QByteArray(340, 'k') + "\n";
    m += "Return-Path: <bounce@exemple.net>\nTo: user" + QByteArray::number(account)
        + "@exemple.fr\nFrom: =?utf-8?q?Jean_Dupont?= <jean@exemple.net>\nSubject: "
          "=?utf-8?q?R=C3=A9union_num=C3=A9ro_"
        + QByteArray::number(n) + "?=\nDate: Tue, 3 Feb 2004 10:15:00 +0100\nMessage-ID: <"
        + QByteArray::number(n)
        + "@exemple.net>\nMIME-Version: 1.0\nContent-Type: text/plain; charset=utf-8\n\n";
    for (int line = 0; line < 40; ++line)
        m += "Ligne " + QByteArray::number(line)
            + " du corps du message, assez longue pour ressembler a du texte.\n";
    return m;
}

QStringList commands()
{
    QStringList list { QStringLiteral("STAT") };
    for (int n = 1; n <= MessagesPerAccount; ++n)
        list.append(QStringLiteral("top %1 10").arg(n));
    list.append(QStringLiteral("LIST"));
    list.append(QStringLiteral("QUIT"));
    return list;
}

// The least a POP3 client does to send those commands: one reply awaited at a time, a
// multi-line reply taken whole at its final ".".
class MinimalClient {
public:
    explicit MinimalClient(const QString& login, const QString& password)
        : m_commands(
            QStringList { QStringLiteral("USER ") + login, QStringLiteral("PASS ") + password } + commands())
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { onData(); });
    }
    void start(quint16 port)
    {
        m_socket.abort();
        m_buffer.clear();
        m_next = 0;
        m_multiLine = false;
        m_done = false;
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    bool done() const { return m_done; }

private:
    void onData()
    {
        m_buffer += m_socket.readAll();
        for (;;) {
            qsizetype end = m_buffer.indexOf("\r\n");
            if (end < 0)
                return;
            if (m_multiLine && m_buffer.startsWith('+')) {
                end = m_buffer.indexOf("\r\n.\r\n", end);
                if (end < 0)
                    return;
                end += 3;
            }
            m_buffer.remove(0, end + 2);
            if (m_next >= m_commands.size())
                return;
            const QString& command = m_commands.at(m_next++);
            m_multiLine = command.startsWith(QStringLiteral("top")) || command == QStringLiteral("LIST");
            m_socket.write(command.toLatin1() + "\r\n");
            if (command == QStringLiteral("QUIT"))
                m_done = true;
        }
    }

    QTcpSocket m_socket;
    QStringList m_commands;
    QByteArray m_buffer;
    qsizetype m_next = 0;
    bool m_multiLine = false;
    bool m_done = false;
};

struct Silent final : MailListEvents, SoundPlayer, MessageBox {
    void refreshMailState() override { }
    void fillMailList() override { }
    void play(const QString&) override { }
    MessageAnswer show(const QString&, MessageStyle) override { return MessageAnswer::Ok; }
};

template <typename Done> bool runUntil(Done done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done()) {
        if (limit.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 7;

    const QString reason = test::DovecotServer::unavailableReason();
    if (!reason.isEmpty()) {
        std::fprintf(stderr, "no POP3 server: %s\n", qPrintable(reason));
        return 2;
    }
    test::DovecotServer server;
    for (int a = 1; a <= Accounts; ++a) {
        const QString user = QStringLiteral("user%1").arg(a);
        server.addUser(user, QStringLiteral("secret%1").arg(a));
        for (int n = 1; n <= MessagesPerAccount; ++n)
            server.addMessage(user, message(a, n));
    }
    if (!server.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
        return 2;
    }

    QTemporaryDir folder;
    AppState state;
    state.appFolder = folder.path();
    state.settings.courrier = true;
    state.connectedFlag = true;
    for (int a = 1; a <= Accounts; ++a) {
        MailboxAccount& account = state.mailboxAccounts.account(a);
        account.number = qint16(a);
        account.server = server.serverText();
        account.login = QStringLiteral("user%1").arg(a);
        account.password = QStringLiteral("secret%1").arg(a);
        account.inUse = true;
    }
    Silent silent;
    ModuleSocketMaker sockets(QStringLiteral(CHRONOLIEN_NETWORK_MODULE));
    MailChecker checker(state, silent, silent, silent, sockets, 0);
    std::array<std::unique_ptr<MinimalClient>, Accounts> clients;
    for (int a = 0; a < Accounts; ++a)
        clients.at(std::size_t(a)) = std::make_unique<MinimalClient>(
            QStringLiteral("user%1").arg(a + 1), QStringLiteral("secret%1").arg(a + 1));

    const auto timeCheck = [&]() -> double {
        QElapsedTimer timer;
        timer.start();
        checker.startMailCheck();
        const bool ok = runUntil([&] {
            for (int a = 1; a <= Accounts; ++a) {
                if (state.mailboxAccounts.account(a).checkStep != CheckStep::AwaitingQuit)
                    return false;
            }
            return true;
        });
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        for (int a = 1; a <= Accounts; ++a) {
            if (state.mailboxAccounts.account(a).state != MailboxAccount::StateOk)
                return -1;
        }
        return ok && state.mailList.count == MailList::Capacity ? ms : -1;
    };
    const auto timeMinimal = [&]() -> double {
        QElapsedTimer timer;
        timer.start();
        for (auto& client : clients)
            client->start(server.port());
        const bool ok = runUntil([&] {
            return std::all_of(clients.begin(), clients.end(), [](const auto& c) { return c->done(); });
        });
        return ok ? double(timer.nsecsElapsed()) / 1e6 : -1;
    };

    // A first round of each warms the server's caches and the program's first save.
    if (timeCheck() < 0 || timeMinimal() < 0) {
        std::fprintf(stderr, "a check did not complete\n");
        return 1;
    }
    std::vector<double> check;
    std::vector<double> minimal;
    for (int r = 0; r < rounds; ++r) {
        // Alternating which goes first evens out what the server carries over between runs.
        const bool checkFirst = r % 2 == 0;
        const double first = checkFirst ? timeCheck() : timeMinimal();
        const double second = checkFirst ? timeMinimal() : timeCheck();
        const double c = checkFirst ? first : second;
        const double m = checkFirst ? second : first;
        if (c < 0 || m < 0) {
            std::fprintf(stderr, "a check did not complete\n");
            return 1;
        }
        check.push_back(c);
        minimal.push_back(m);
    }
    const double c = median(check);
    const double m = median(minimal);
    std::printf("One check of %d accounts x %d messages on loopback, median of %d rounds\n", Accounts,
        MessagesPerAccount, rounds);
    std::printf("  Chronolien's check   %8.1f ms\n", c);
    std::printf("  minimal POP3 client  %8.1f ms\n", m);
    std::printf("  ratio                %8.2f\n", c / m);
    return 0;
}
