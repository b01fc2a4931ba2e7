#pragma once

#include <QByteArray>
#include <QtEndian>

namespace chronolien::test {

// One config.ini record exactly as the file holds it: number, key and value padded with spaces.
inline QByteArray settingsRecord(qint16 number, const QByteArray& key, const QByteArray& value)
{
    QByteArray r(2, '\0');
    qToLittleEndian<qint16>(number, r.data());
    r += key.leftJustified(30, ' ', true);
    r += value.leftJustified(60, ' ', true);
    return r;
}

} // namespace chronolien::test
