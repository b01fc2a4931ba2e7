#pragma once

#include "state/mailbox_account.h"

#include <QString>

namespace chronolien {

class MessageBox;

// courrier.ini: five fixed 156-byte records, one per account, little-endian, no separators:
// number (16-bit), server (60 bytes), login (60), password (30), the texts Windows-1252 padded with
// spaces, state (16-bit) and inUse (16-bit, -1 true, 0 false). A record whose number differs from
// its position is blank. The file holds passwords, so it is created readable by its owner only.
namespace AccountRecord {
constexpr int Size = 156;
constexpr int ServerSize = 60;
constexpr int LoginSize = 60;
constexpr int PasswordSize = 30;
} // namespace AccountRecord

// Reads the five accounts. A blank or damaged record, or one beyond the end of the file, turns its
// account off and is written back blank; the account's other fields stay as they were.
void loadAccounts(MailboxAccounts& accounts, const QString& path);

// Writes the five accounts. On failure the user is told once and false is returned; the accounts
// in memory stay as they are.
bool saveAccounts(const MailboxAccounts& accounts, const QString& path, MessageBox& messages);

} // namespace chronolien
