// Reads and writes the program's own files for the end-to-end script, through the same code the
// program uses, so that the script never has to know a record layout.
//
//   e2e_files setting <config.ini> <key>            prints the key's value
//   e2e_files setting <config.ini> <key> <value>    stores the value
//   e2e_files account <courrier.ini> <n> <server> <login> <password>
//                                                   stores account n, in use; the others blank
//   e2e_files account-state <courrier.ini> <n>      prints the account's state (0, 1 or 2)
//   e2e_files history <historique.csv>              prints each connection as "start end seconds
//                                                   received sent", the times in seconds since the
//                                                   epoch; fails unless every line reads
//   e2e_files pop3-server <log file>                runs a private Dovecot with two messages for
//                                                   alice (password secret1) until SIGTERM; prints
//                                                   its account server text ("127.0.0.1:port") once
//                                                   it listens, and keeps a copy of its log in the file
//                                                   (exit code 3: no server can run here)

#include "history/history_record.h"
#include "mail/accounts_file.h"
#include "platform/message_box.h"
#include "settings/settings_file.h"
#include "support/dovecot_server.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>

using namespace chronolien;

namespace {

// Any message the files' code would show becomes an error of the helper.
class StderrMessages final : public MessageBox {
public:
    MessageAnswer show(const QString& text, MessageStyle) override
    {
        std::fprintf(stderr, "e2e_files: %s\n", qPrintable(text));
        failed = true;
        return MessageAnswer::Ok;
    }
    bool failed = false;
};

int usage()
{
    std::fprintf(stderr,
        "usage: e2e_files setting FILE KEY [VALUE] | account FILE N SERVER LOGIN PASSWORD"
        " | account-state FILE N | history FILE | pop3-server LOG_FILE\n");
    return 2;
}

std::atomic<bool> stopRequested { false };

void requestStop(int)
{
    stopRequested = true;
}

void copyLog(const test::DovecotServer& server, const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(server.log());
}

int runPop3Server(QCoreApplication& app, const QString& logPath)
{
    const QString unavailable = test::DovecotServer::unavailableReason();
    if (!unavailable.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(unavailable));
        return 3;
    }
    test::DovecotServer server;
    server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
    const bool delivered = server.addMessage(QStringLiteral("alice"),
                               "From: Bernard Durand <bernard@example.org>\nTo: alice@example.org\n"
                               "Subject: Rendez-vous jeudi\nDate: Thu, 05 Jun 2025 09:12:00 +0200\n"
                               "Message-ID: <1@example.org>\n\nBonjour.\n")
        && server.addMessage(QStringLiteral("alice"),
            "From: Claire Martin <claire@example.org>\nTo: alice@example.org\n"
            "Subject: Photos des vacances\nDate: Fri, 06 Jun 2025 18:40:00 +0200\n"
            "Message-ID: <2@example.org>\n\nBonjour.\n");
    if (!delivered || !server.start()) {
        std::fprintf(stderr, "Dovecot: %s\n%s\n", qPrintable(server.errorString()), server.log().constData());
        return 1;
    }
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    std::printf("%s\n", qPrintable(server.serverText()));
    std::fflush(stdout);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        copyLog(server, logPath);
        if (stopRequested)
            app.quit();
    });
    poll.start(200);
    app.exec();
    server.stop();
    copyLog(server, logPath);
    return 0;
}

int printHistory(QTextStream& out, const QString& path)
{
    QFile file(path);
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QList<ConnectionRecord> records = readHistory(path);
    // Its header, then one connection a line, each whole.
    if (!content.startsWith(historyHeader().toByteArray() + '\n') || !content.endsWith('\n')
        || content.count('\n') != records.size() + 1) {
        std::fprintf(stderr, "e2e_files: %s does not read back whole\n", qPrintable(path));
        return 1;
    }
    // The history's times are the local clock's readings.
    const auto epoch = [](qint64 clock) {
        QDateTime time = QDateTime::fromSecsSinceEpoch(clock, Qt::UTC);
        time.setTimeSpec(Qt::LocalTime);
        return time.toSecsSinceEpoch();
    };
    for (const ConnectionRecord& r : records)
        out << epoch(r.start) << ' ' << epoch(r.end) << ' ' << r.seconds << ' ' << r.receivedBytes << ' '
            << r.sentBytes << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    StderrMessages messages;
    const QString command = args.value(0);

    if (command == u"setting" && (args.size() == 3 || args.size() == 4)) {
        SettingsFile file(args.at(1), messages);
        if (args.size() == 3)
            out << file.readKey(args.at(2)) << '\n';
        else
            file.writeKey(args.at(2), args.at(3));
        return messages.failed ? 1 : 0;
    }
    if (command == u"account" && args.size() == 6) {
        const int n = args.at(2).toInt();
        if (n < 1 || n > MailboxAccounts::Count)
            return usage();
        MailboxAccounts accounts;
        for (int i = 1; i <= MailboxAccounts::Count; ++i)
            accounts.account(i).number = qint16(i);
        MailboxAccount& account = accounts.account(n);
        account.server = args.at(3);
        account.login = args.at(4);
        account.password = args.at(5);
        account.inUse = true;
        return saveAccounts(accounts, args.at(1), messages) ? 0 : 1;
    }
    if (command == u"account-state" && args.size() == 3) {
        const int n = args.at(2).toInt();
        if (n < 1 || n > MailboxAccounts::Count)
            return usage();
        MailboxAccounts accounts;
        loadAccounts(accounts, args.at(1));
        out << accounts.account(n).state << '\n';
        return 0;
    }
    if (command == u"history" && args.size() == 2)
        return printHistory(out, args.at(1));
    if (command == u"pop3-server" && args.size() == 2)
        return runPop3Server(app, args.at(1));
    return usage();
}
