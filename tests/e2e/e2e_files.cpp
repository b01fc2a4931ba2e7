// Reads and writes the program's own files for the end-to-end script, through the same code the
// program uses, so that the script never has to know a record layout.
//
//   e2e_files setting <config.ini> <key>            prints the key's value
//   e2e_files setting <config.ini> <key> <value>    stores the value
//   e2e_files account <courrier.ini> <n> <server> <login> <password>
//                                                   stores account n, in use; the others blank
//   e2e_files account-state <courrier.ini> <n>      prints the account's state (0, 1 or 2)
//   e2e_files free-port                             prints a loopback port nobody listens on

#include "mail/accounts_file.h"
#include "platform/message_box.h"
#include "settings/settings_file.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTextStream>

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
    std::fprintf(stderr, "usage: e2e_files setting FILE KEY [VALUE] | account FILE N SERVER LOGIN PASSWORD"
                         " | account-state FILE N | free-port\n");
    return 2;
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
            out << file.ReadKey(args.at(2)) << '\n';
        else
            file.WriteKey(args.at(2), args.at(3));
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
        return SaveAccounts(accounts, args.at(1), messages) ? 0 : 1;
    }
    if (command == u"account-state" && args.size() == 3) {
        const int n = args.at(2).toInt();
        if (n < 1 || n > MailboxAccounts::Count)
            return usage();
        MailboxAccounts accounts;
        LoadAccounts(accounts, args.at(1));
        out << accounts.account(n).state << '\n';
        return 0;
    }
    if (command == u"free-port" && args.size() == 1) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return 1;
        out << probe.serverPort() << '\n';
        return 0;
    }
    return usage();
}
