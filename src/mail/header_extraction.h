#pragma once

#include "state/mail_list.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <optional>

namespace chronolien {

class MailListEvents;

// The raw values gathered from one TOP reply, named as the debug trace names them.
struct HeaderFields {
    QString ad1; // to:
    QString ad2; // x-apparently-to:
    QString ad3; // address of from:
    QString ad4; // return-path:
    QString ad5; // address of reply-to:
    QString nom1; // never filled
    QString nom2; // name of from:
    QString nom3; // name of reply-to:
    QDateTime date = zeroMailDate();
    QString sujet;
    qint32 taille = 0; // bytes, from a status line giving "octets"
    bool sizeInStatus = false; // the status line gave the size
    QStringList unreadableDates; // normalised texts of Date values that did not read
};

// A reply cut into lines at its carriage returns, each line's leading blanks (within its first 20
// characters) removed and cut to 100 characters. Text after the last carriage return is not a line.
// With headerBlock the cut ends at the header block's end, its first empty line, and a header
// folded over several lines is one line again.
QStringList cutReplyLines(const QByteArray& reply, int maxLines, bool headerBlock);

// The most lines read from one reply: real messages carry dozens of header lines.
constexpr int MaxReplyLines = 1000;

// Applies the header rules to the reply's lines (already lower case), the last match winning.
HeaderFields readHeaderFields(const QStringList& lines);

// The list entry for the fields; nothing when the message has no sender at all.
std::optional<MailEntry> makeMailEntry(const HeaderFields& fields, int account, int messageNumber);

// Mode 1: the display name before "<"; mode 2: the address from "<" on. A value without "<" is
// returned whole in both modes.
QString splitAddress(int mode, const QString& value);
// Removes one "<" in front and one ">" at the end, then one double quote at each end.
QString cleanAddress(QString& text);

// Sizes from a LIST reply for the entries of account n whose message numbers it lists.
void applyListSizes(const QByteArray& reply, int account, MailList& list, MailListEvents& events);

} // namespace chronolien
