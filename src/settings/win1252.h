#pragma once

#include <QByteArray>
#include <QString>

namespace chronolien {

// Windows-1252, the code page of every text the program keeps in its files. Every byte decodes to one
// character (the five bytes the code page leaves unassigned decode to the control character of the same
// number, so they survive a round trip); a character the code page cannot hold encodes as "?".
QByteArray toWin1252(const QString& text);
QString fromWin1252(const QByteArray& bytes);

} // namespace chronolien
