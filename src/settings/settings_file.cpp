#include "settings/settings_file.h"

#include "platform/message_box.h"
#include "settings/logging.h"
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

// The file's content as its size gives it: a device or a pipe standing in its place reads empty
// instead of without end.
QByteArray contentOf(QFile& file)
{
    return file.read(file.size());
}

} // namespace

SettingsFile::SettingsFile(QString path, MessageBox& messages)
    : m_path(std::move(path))
    , m_messages(messages)
{
}

namespace {

// The number of the last whole record of the content whose key field contains the key. What
// follows the last whole record (nothing, or the remains of an append cut short) counts as an
// empty record, whose number is where a new key goes.
int findRecordIn(const QByteArray& content, const QByteArray& wanted)
{
    const qsizetype wholeRecords = content.size() / SettingsFile::RecordSize;
    int found = 0;
    for (qsizetype n = 1; n <= wholeRecords; ++n) {
        const char* keyField = content.constData() + (n - 1) * SettingsFile::RecordSize + 2;
        if (QByteArray::fromRawData(keyField, SettingsFile::KeySize).contains(wanted))
            found = int(n);
    }
    return found != 0 ? found : int(wholeRecords + 1);
}

} // namespace

// Each operation reads the whole file through a single handle: the file is a few kilobytes, and
// the settings are read at start and written every ten seconds.
int SettingsFile::findRecord(const QString& key) const
{
    QFile file(m_path);
    if (!openForReading(file))
        return 1; // an unreadable file holds no key
    return findRecordIn(contentOf(file), storedKey(key));
}

QString SettingsFile::readKey(const QString& key) const
{
    QFile file(m_path);
    if (!openForReading(file))
        return {};
    const QByteArray content = contentOf(file);
    const qsizetype start = qsizetype(findRecordIn(content, storedKey(key)) - 1) * RecordSize;
    if (content.size() - start < RecordSize)
        return {};
    const char* record = content.constData() + start;
    if (qFromLittleEndian<qint16>(record) == 0)
        return {}; // a record numbered 0 is an empty one
    QByteArray value(record + 2 + KeySize, ValueSize);
    while (value.endsWith(' '))
        value.chop(1);
    return fromWin1252(value);
}

int SettingsFile::writeKey(const QString& key, const QString& value)
{
    const QByteArray wanted = storedKey(key);
    QFile file(m_path);
    const bool opened = file.open(QIODevice::ReadWrite);
    // Without a handle the record number is still the one a read finds.
    const int n = opened ? findRecordIn(contentOf(file), wanted) : findRecord(key);

    QByteArray record(2, '\0');
    qToLittleEndian<qint16>(static_cast<qint16>(n), record.data());
    record.append(padded(wanted, KeySize));
    record.append(padded(toWin1252(value), ValueSize));

    const bool written
        = opened && file.seek(qint64(n - 1) * RecordSize) && file.write(record) == RecordSize && file.flush();
    const QString error = file.errorString();
    file.close();
    if (!written) {
        // The save repeats every ten seconds: a file that stays unwritable is logged once.
        if (!m_writeFailing)
            qCWarning(lcSettings).noquote() << "could not write" << m_path << ":" << error;
        m_writeFailing = true;
        m_messages.show(QStringLiteral("Impossible d'écrire dans le fichier ") + m_path, StyleCritical);
    } else {
        m_writeFailing = false;
    }
    return n;
}

int SettingsFile::writeKey(const QString& key, bool value)
{
    return writeKey(key, boolToText(value));
}

int SettingsFile::writeKey(const QString& key, int value)
{
    return writeKey(key, QString::number(value));
}

int SettingsFile::writeKey(const QString& key, const QDate& value)
{
    return writeKey(key, dateToText(value));
}

} // namespace chronolien
