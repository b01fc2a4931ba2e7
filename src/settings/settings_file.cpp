#include "settings/settings_file.h"

#include "platform/message_box.h"
#include "settings/text_forms.h"
#include "settings/win1252.h"

#include <QFile>
#include <QtEndian>

namespace chronolien {

namespace {

QByteArray padded(QByteArray bytes, int size)
{
    bytes.truncate(size);
    bytes.append(QByteArray(size - bytes.size(), ' '));
    return bytes;
}

// The key as it is stored and searched: Windows-1252, at most the key field's width. Searching with
// the cut key as well keeps a long key on one record instead of appending a new one at every write.
QByteArray storedKey(const QString& key)
{
    return toWin1252(key).left(SettingsFile::KeySize);
}

// Opens the file for reading, creating it empty when it does not exist yet.
bool openForReading(QFile& file)
{
    if (file.open(QIODevice::ReadOnly))
        return true;
    if (file.exists())
        return false;
    return file.open(QIODevice::ReadWrite);
}

} // namespace

SettingsFile::SettingsFile(QString path, MessageBox& messages)
    : m_path(std::move(path))
    , m_messages(messages)
{
}

int SettingsFile::FindRecord(const QString& key) const
{
    const QByteArray wanted = storedKey(key);
    QFile file(m_path);
    if (!openForReading(file))
        return 1; // an unreadable file holds no key

    // Only whole records are searched; what follows the last one (nothing, or the remains of an
    // append cut short) counts as an empty record, whose number is where a new key goes.
    const qint64 wholeRecords = file.size() / RecordSize;
    int found = 0;
    for (qint64 n = 1; n <= wholeRecords; ++n) {
        const QByteArray record = file.read(RecordSize);
        if (record.size() < RecordSize)
            return found != 0 ? found : int(n);
        if (record.mid(2, KeySize).contains(wanted))
            found = int(n);
    }
    return found != 0 ? found : int(wholeRecords + 1);
}

QString SettingsFile::ReadKey(const QString& key) const
{
    const int n = FindRecord(key);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (!file.seek(qint64(n - 1) * RecordSize))
        return {};
    const QByteArray record = file.read(RecordSize);
    if (record.size() < RecordSize)
        return {};
    if (qFromLittleEndian<qint16>(record.constData()) == 0)
        return {}; // a record numbered 0 is an empty one
    QByteArray value = record.mid(2 + KeySize, ValueSize);
    while (value.endsWith(' '))
        value.chop(1);
    return fromWin1252(value);
}

int SettingsFile::WriteKey(const QString& key, const QString& value)
{
    const int n = FindRecord(key);

    QByteArray record(2, '\0');
    qToLittleEndian<qint16>(static_cast<qint16>(n), record.data());
    record.append(padded(storedKey(key), KeySize));
    record.append(padded(toWin1252(value), ValueSize));

    QFile file(m_path);
    const bool written = file.open(QIODevice::ReadWrite) && file.seek(qint64(n - 1) * RecordSize)
        && file.write(record) == RecordSize && file.flush();
    file.close();
    if (!written)
        m_messages.show(QStringLiteral("Impossible d'écrire dans le fichier ") + m_path, StyleCritical);
    return n;
}

int SettingsFile::WriteKey(const QString& key, bool value)
{
    return WriteKey(key, boolToText(value));
}

int SettingsFile::WriteKey(const QString& key, int value)
{
    return WriteKey(key, QString::number(value));
}

int SettingsFile::WriteKey(const QString& key, const QDate& value)
{
    return WriteKey(key, dateToText(value));
}

} // namespace chronolien
