#pragma once

#include "state/mailbox_account.h"

#include <QString>
#include <optional>

namespace chronolien {

class MessageBox;

// courrier.ini: five fixed 156-byte records, one per account, little-endian, no separators:
// number (16-bit), server (60 bytes), login (60), password (30), the texts Windows-1252 padded with
// spaces, state (16-bit) and inUse (16-bit, -1 true, 0 false). A record whose number differs from
// its position is blank. The file holds passwords, so it is made readable by its owner only at
// every write.
namespace AccountRecord {
constexpr int Size = 156;
constexpr int ServerSize = 60;
constexpr int LoginSize = 60;
constexpr int PasswordSize = 30;
} // namespace AccountRecord

// Reads the five accounts. A blank or damaged record, or one beyond the end of the file, turns its
// account off and is written back blank; the account's other fields stay as they were. A file that
// is not five records (another size, records numbered out of place) is first set aside as
// courrier.ini.bak (or .bak2, .bak3... when that name is taken) and the records go into a new
// file. Something that is not a regular file in its place reads as no accounts and is left alone.
void loadAccounts(MailboxAccounts& accounts, const QString& path);

// Writes the five accounts. On failure the user is told and false is returned; the accounts in
// memory stay as they are.
bool saveAccounts(const MailboxAccounts& accounts, const QString& path, MessageBox& messages);
// Writes the five accounts without telling anyone: why it failed, or nothing.
std::optional<QString> writeAccounts(const MailboxAccounts& accounts, const QString& path);

} // namespace chronolien
