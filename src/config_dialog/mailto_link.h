#pragma once

#include <QString>

namespace chronolien {

class ProcessStarter;

// "mailto:" + address + its query, every part optional but the address. Nothing is escaped: the
// mail program receives the texts as they are, spaces and accented letters included.
QString mailtoLink(const QString& address, const QString& subject, const QString& body, const QString& copy,
    const QString& blindCopy);

// Composes a new message in the user's mail program; the outcome is not checked.
void openMailto(ProcessStarter& processes, const QString& address, const QString& subject,
    const QString& body, const QString& copy, const QString& blindCopy);

} // namespace chronolien
