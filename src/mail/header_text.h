#pragma once

#include <QByteArray>
#include <QString>

namespace chronolien {

// One raw header line as text: its bytes read as UTF-8 when they are valid UTF-8, else as
// Windows-1252, and every MIME encoded word (=?charset?q?...?= or =?charset?b?...?=) decoded, the
// neighbouring words of one character set together. An encoded word in a character set the system
// does not know, or malformed, stays as written.
QString decodeHeaderLine(const QByteArray& raw);

} // namespace chronolien
