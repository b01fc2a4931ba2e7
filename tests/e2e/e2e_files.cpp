// Reads and writes the program's own files for the end-to-end script with the program's own code:
//   setting FILE KEY [VALUE]    prints the key's value in config.ini, or stores the value
//   account FILE N SERVER LOGIN PASSWORD    courrier.ini with account N in use, the others blank
//   account-state FILE N        prints the account's state (0, 1 or 2)
//   history FILE                prints historique.csv's connections, "start end seconds received sent"
//                               with times since the epoch; fails unless every line reads whole
//   pop3-server                 runs a Dovecot with two messages for alice (password secret1) until
//                               SIGTERM; prints its server text and log path (exit code 3: no Dovecot)
#include "history/history_record.h"
#include "mail/accounts_file.h"
#include "settings/settings_file.h"
#include "support/dovecot_server.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace chronolien;

namespace {

int complain(const QString& text, int exitCode = 1)
{
    std::fprintf(stderr, "e2e_files: %s\n", qPrintable(text));
    return exitCode;
}

int runPop3Server()
{
    if (const QString unavailable = test::DovecotServer::unavailableReason(); !unavailable.isEmpty())
        return complain(unavailable, 3);
    test::DovecotServer server;
    server.addUser(QStringLiteral("alice"), QStringLiteral("secret1"));
    // A message that fails to arrive shows in the script's check that both are read.
    for (const char* subject : { "Rendez-vous jeudi", "Photos des vacances" })
        server.addMessage(QStringLiteral("alice"),
            QByteArray("From: Claire Martin <claire@example.org>\nSubject: ") + subject
                + "\nDate: Fri, 06 Jun 2025 18:40:00 +0200\n\nBonjour.\n");
    if (!server.start())
        return complain(QStringLiteral("Dovecot: ") + server.errorString());
    // Runs until the script's SIGTERM, long after it has read this; the server's destructor stops Dovecot.
    std::signal(SIGTERM, [](int) {});
    QTextStream(stdout) << server.serverText() << ' ' << server.logPath() << Qt::endl;
    pause();
    return 0;
}

int printHistory(const QString& path)
{
    const QByteArray content = test::readFileBytes(path);
    const QList<ConnectionRecord> records = readHistory(path);
    // Its header, then one connection a line, each whole and ended.
    if (!content.startsWith(historyHeader().toByteArray() + '\n') || !content.endsWith('\n')
        || content.count('\n') != records.size() + 1)
        return complain(path + QStringLiteral(" does not read back whole"));
    // The history's times are the local clock's readings.
    const auto epoch = [](qint64 clock) {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(clock, Qt::UTC);
        return QDateTime(local.date(), local.time()).toSecsSinceEpoch();
    };
    for (const ConnectionRecord& r : records)
        QTextStream(stdout) << epoch(r.start) << ' ' << epoch(r.end) << ' ' << r.seconds << ' '
                            << r.receivedBytes << ' ' << r.sentBytes << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    const int n = args.value(2).toInt();
    test::MessageBoxRecorder messages;
    MailboxAccounts accounts;
    if (command == u"history" && args.size() == 2)
        return printHistory(args.at(1));
    if (command == u"pop3-server" && args.size() == 1)
        return runPop3Server();
    if (command == u"setting" && args.size() == 3) {
        QTextStream(stdout) << SettingsFile(args.at(1), messages).readKey(args.at(2)) << '\n';
    } else if (command == u"setting" && args.size() == 4) {
        SettingsFile(args.at(1), messages).writeKey(args.at(2), args.at(3));
    } else if (command == u"account" && args.size() == 6 && n >= 1 && n <= MailboxAccounts::Count) {
        for (int i = 1; i <= MailboxAccounts::Count; ++i)
            accounts.account(i).number = qint16(i);
        MailboxAccount& a = accounts.account(n);
        a.server = args.at(3);
        a.login = args.at(4);
        a.password = args.at(5);
        a.inUse = true;
        saveAccounts(accounts, args.at(1), messages);
    } else if (command == u"account-state" && args.size() == 3 && n >= 1 && n <= MailboxAccounts::Count) {
        loadAccounts(accounts, args.at(1));
        QTextStream(stdout) << accounts.account(n).state << '\n';
    } else {
        return complain(QStringLiteral("unknown command or arguments: ") + args.join(u' '), 2);
    }
    // Any message the files' code would show is an error of the helper.
    return messages.shown.isEmpty() ? 0 : complain(messages.texts().join(u'\n'));
}
