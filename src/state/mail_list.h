#pragma once

#include <QDateTime>
#include <QString>
#include <array>

namespace chronolien {

// The date of a message whose Date header is missing or unreadable: day 0 of the program's
// day-count dates. Mail dates are kept as naive date-times (UTC used as "no zone").
inline QDateTime zeroMailDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
}

// One waiting message as the last check found it. Texts are lower case.
struct MailEntry {
    QString recipient;
    QString senderAddress;
    QString senderName;
    QDateTime date = zeroMailDate();
    float sizeKo = 0; // 0 until known
    QString subject;
    qint16 messageNumber = 0; // the message's number on its server during that check
    qint16 account = 0; // 1 to 5
};

// The messages found by the last check, in memory only. Entries 1 to count are valid; emptying the
// list only sets the count to 0.
struct MailList {
    static constexpr int Capacity = 20;

    std::array<MailEntry, Capacity> entries;
    qint16 count = 0;

    MailEntry& entry(int number) { return entries.at(std::size_t(number - 1)); }
    const MailEntry& entry(int number) const { return entries.at(std::size_t(number - 1)); }
};

} // namespace chronolien
