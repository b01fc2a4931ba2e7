#include "mail/accounts_file.h"

#include "mail/logging.h"
#include "platform/message_box.h"
#include "settings/win1252.h"

#include <QFile>
#include <QtEndian>

namespace chronolien {

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QByteArray padded(const QString& text, int size)
{
    QByteArray bytes = toWin1252(text);
    bytes.truncate(size);
    bytes.append(QByteArray(size - bytes.size(), ' '));
    return bytes;
}

QString unpadded(const QByteArray& field)
{
    qsizetype end = field.size();
    // Zeros count as padding too: they are what a record cut short reads as.
    while (end > 0 && (field.at(end - 1) == ' ' || field.at(end - 1) == '\0'))
        --end;
    return fromWin1252(field.left(end));
}

QByteArray encodeRecord(const MailboxAccount& account)
{
    QByteArray record(AccountRecord::Size, '\0');
    char* data = record.data();
    qToLittleEndian<qint16>(account.number, data);
    QByteArray texts = padded(account.server, AccountRecord::ServerSize)
        + padded(account.login, AccountRecord::LoginSize)
        + padded(account.password, AccountRecord::PasswordSize);
    std::copy(texts.cbegin(), texts.cend(), data + 2);
    qToLittleEndian<qint16>(account.state, data + 152);
    qToLittleEndian<qint16>(account.inUse ? qint16(-1) : qint16(0), data + 154);
    return record;
}

MailboxAccount blankAccount(int number)
{
    MailboxAccount blank;
    blank.number = qint16(number);
    return blank;
}

// Opens for record access, creating the file owner-only when it is missing.
bool openForRecords(QFile& file)
{
    return file.open(QIODevice::ReadWrite, OwnerOnly);
}

} // namespace

void loadAccounts(MailboxAccounts& accounts, const QString& path)
{
    QFile file(path);
    // A folder we may not write to still lets the accounts be read; blank records then stay in
    // memory only.
    const bool writable = openForRecords(file);
    if (!writable)
        file.open(QIODevice::ReadOnly);

    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        QByteArray record(AccountRecord::Size, '\0');
        if (file.isOpen() && file.seek(qint64(n - 1) * AccountRecord::Size)) {
            const QByteArray read = file.read(AccountRecord::Size);
            std::copy(read.cbegin(), read.cend(), record.begin());
        }
        MailboxAccount& account = accounts.account(n);
        const char* data = record.constData();
        if (qFromLittleEndian<qint16>(data) != n) {
            account.inUse = false;
            if (writable && file.seek(qint64(n - 1) * AccountRecord::Size))
                file.write(encodeRecord(blankAccount(n)));
            continue;
        }
        account.number = qint16(n);
        account.server = unpadded(record.mid(2, AccountRecord::ServerSize));
        account.login = unpadded(record.mid(62, AccountRecord::LoginSize));
        account.password = unpadded(record.mid(122, AccountRecord::PasswordSize));
        account.state = qFromLittleEndian<qint16>(data + 152);
        account.inUse = qFromLittleEndian<qint16>(data + 154) != 0;
    }
    accounts.loaded = true;
}

bool saveAccounts(const MailboxAccounts& accounts, const QString& path, MessageBox& messages)
{
    QFile file(path);
    bool ok = openForRecords(file);
    for (int n = 1; ok && n <= MailboxAccounts::Count; ++n) {
        ok = file.seek(qint64(n - 1) * AccountRecord::Size)
            && file.write(encodeRecord(accounts.account(n))) == AccountRecord::Size;
    }
    ok = ok && file.flush();
    const QString error = file.errorString();
    file.close();
    if (!ok) {
        qCWarning(lcMail).noquote() << "could not write" << path << ":" << error;
        messages.show(QStringLiteral("Impossible d'écrire dans le fichier ") + path, StyleCritical);
    }
    return ok;
}

} // namespace chronolien
