#include "settings/settings_file.h"

#include "settings/data_file.h"
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

// Opens the file for reading, creating it empty when it does not exist yet. Something that is not
// a regular file in its place holds no key.
bool openForReading(QFile& file, const QString& path)
{
    const DataFileStatus status = openDataFile(file, path, DataFileMode::Read, 0, nullptr);
    if (status == DataFileStatus::Missing)
        return openDataFile(file, path, DataFileMode::ReadWrite, DataFileFlag::CreateMissing, nullptr)
            == DataFileStatus::Opened;
    return status == DataFileStatus::Opened;
}

QByteArray contentOf(QFile& file)
{
    return file.read(file.size());
}

} // namespace

SettingsFile::SettingsFile(QString path, MessageBox& messages)
    : m_path(std::move(path))
    , m_notice(messages)
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
    QFile file;
    if (!openForReading(file, m_path))
        return 1; // an unreadable file holds no key
    return findRecordIn(contentOf(file), storedKey(key));
}

QString SettingsFile::readKey(const QString& key) const
{
    QFile file;
    if (!openForReading(file, m_path))
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
    QFile file;
    QString error;
    const bool opened
        = openDataFile(file, m_path, DataFileMode::ReadWrite, DataFileFlag::CreateMissing, &error)
        == DataFileStatus::Opened;
    // Without a handle the record number is still the one a read finds.
    const int n = opened ? findRecordIn(contentOf(file), wanted) : findRecord(key);

    QByteArray record(2, '\0');
    qToLittleEndian<qint16>(static_cast<qint16>(n), record.data());
    record.append(padded(wanted, KeySize));
    record.append(padded(toWin1252(value), ValueSize));

    const bool written
        = opened && file.seek(qint64(n - 1) * RecordSize) && file.write(record) == RecordSize && file.flush();
    if (opened && !written)
        error = file.errorString();
    file.close();
    // The save repeats every ten seconds and the loader writes every missing key at start: a file
    // that stays unwritable is told once.
    if (written)
        m_notice.succeeded();
    else
        m_notice.failed(m_path, error);
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
