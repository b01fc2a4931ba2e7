#include "mail/accounts_file.h"

#include "mail/logging.h"
#include "settings/data_file.h"
#include "settings/win1252.h"
#include "settings/write_failure_notice.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <array>

namespace chronolien {

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Opens for record access, creating the file when it is missing, readable by its owner only.
DataFileStatus openForRecords(QFile& file, const QString& path, QString* error = nullptr)
{
    return openDataFile(
        file, path, DataFileMode::ReadWrite, DataFileFlag::CreateMissing | DataFileFlag::OwnerOnly, error);
}

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

qint16 recordNumber(const QByteArray& content, int n)
{
    QByteArray number = content.mid(qsizetype(n - 1) * AccountRecord::Size, 2);
    number.resize(2, '\0');
    return qFromLittleEndian<qint16>(number.constData());
}

// A file of another kind, or one cut short or grown: its bytes are not five records numbered 1 to
// 5 (0 for an account never validated).
bool isForeign(const QByteArray& content)
{
    if (content.isEmpty())
        return false;
    if (content.size() != MailboxAccounts::Count * AccountRecord::Size)
        return true;
    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        const qint16 number = recordNumber(content, n);
        if (number != n && number != 0)
            return true;
    }
    return false;
}

// Moves the file out of the way under the first free name of courrier.ini.bak, courrier.ini.bak2...
// so that no earlier copy is lost.
bool setAside(const QString& path)
{
    for (int k = 1; k <= 99; ++k) {
        const QString backup = path + QStringLiteral(".bak") + (k == 1 ? QString() : QString::number(k));
        if (QFileInfo::exists(backup) || QFileInfo(backup).isSymLink())
            continue;
        if (!QFile::rename(path, backup)) {
            qCWarning(lcMail).noquote() << "could not set" << path << "aside as" << backup;
            return false;
        }
        QFile::setPermissions(backup, OwnerOnly); // it may hold passwords
        qCWarning(lcMail).noquote() << path << "was no accounts file: set aside as" << backup;
        return true;
    }
    qCWarning(lcMail).noquote() << "could not set" << path << "aside: no free name";
    return false;
}

bool writeRecords(QFile& file, const MailboxAccounts& accounts)
{
    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        if (!file.seek(qint64(n - 1) * AccountRecord::Size)
            || file.write(encodeRecord(accounts.account(n))) != AccountRecord::Size)
            return false;
    }
    return file.flush();
}

} // namespace

void loadAccounts(MailboxAccounts& accounts, const QString& path)
{
    QFile file;
    const DataFileStatus status = openForRecords(file, path);
    // A folder we may not write to still lets the accounts be read; blank records then stay in
    // memory only.
    const bool writable = status == DataFileStatus::Opened;
    if (status == DataFileStatus::Failed)
        openDataFile(file, path, DataFileMode::Read, 0, nullptr);
    // One byte more than five records tells a longer file.
    const QByteArray content = file.read(qint64(MailboxAccounts::Count) * AccountRecord::Size + 1);

    std::array<bool, MailboxAccounts::Count> valid {};
    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        QByteArray record = content.mid(qsizetype(n - 1) * AccountRecord::Size, AccountRecord::Size);
        record.resize(AccountRecord::Size, '\0'); // a record cut short reads as zeros
        MailboxAccount& account = accounts.account(n);
        const char* data = record.constData();
        if (qFromLittleEndian<qint16>(data) != n) {
            account.inUse = false;
            continue;
        }
        valid.at(std::size_t(n - 1)) = true;
        account.number = qint16(n);
        account.server = unpadded(record.mid(2, AccountRecord::ServerSize));
        account.login = unpadded(record.mid(62, AccountRecord::LoginSize));
        account.password = unpadded(record.mid(122, AccountRecord::PasswordSize));
        account.state = qFromLittleEndian<qint16>(data + 152);
        account.inUse = qFromLittleEndian<qint16>(data + 154) != 0;
    }
    accounts.loaded = true;
    if (!writable || std::all_of(valid.cbegin(), valid.cend(), [](bool v) { return v; }))
        return;

    // What is written back: the records read, and a blank one in place of each record that was not
    // valid.
    MailboxAccounts written;
    for (int n = 1; n <= MailboxAccounts::Count; ++n) {
        const MailboxAccount& account = accounts.account(n);
        written.account(n) = valid.at(std::size_t(n - 1)) ? account : blankAccount(n);
    }
    if (isForeign(content)) {
        // Never write over bytes that are not ours: they are kept beside, and fresh records go into
        // a new file.
        file.close();
        if (!setAside(path) || openForRecords(file, path) != DataFileStatus::Opened)
            return;
    }
    if (!writeRecords(file, written))
        qCWarning(lcMail).noquote() << "could not write" << path << ":" << file.errorString();
}

bool saveAccounts(const MailboxAccounts& accounts, const QString& path, MessageBox& messages)
{
    const std::optional<QString> error = writeAccounts(accounts, path);
    if (error)
        WriteFailureNotice(messages).failed(path, *error);
    return !error;
}

std::optional<QString> writeAccounts(const MailboxAccounts& accounts, const QString& path)
{
    QFile file;
    QString error;
    if (openForRecords(file, path, &error) != DataFileStatus::Opened)
        return error;
    if (!writeRecords(file, accounts))
        return file.errorString();
    return std::nullopt;
}

} // namespace chronolien
