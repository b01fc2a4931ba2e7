#pragma once

#include "settings/write_failure_notice.h"

#include <QDate>
#include <QString>

namespace chronolien {

class MessageBox;

// config.ini: a file of fixed 92-byte records, one per key. Each record holds its own number
// (16-bit little-endian), the key (30 bytes) and the value (60 bytes), both Windows-1252 text
// padded with spaces. A key is found by containment in the key field and the last match wins; a
// record is rewritten in place and a new key is appended, so records never move. No handle stays
// open between operations, and only a regular file is opened.
class SettingsFile {
public:
    static constexpr int RecordSize = 92;
    static constexpr int KeySize = 30;
    static constexpr int ValueSize = 60;

    SettingsFile(QString path, MessageBox& messages);

    const QString& path() const { return m_path; }

    // The number of the last record whose key field contains the key; one past the last whole
    // record when none does.
    int findRecord(const QString& key) const;
    // The key's value without its trailing spaces; empty when the key is absent.
    QString readKey(const QString& key) const;

    // Sets the key, rewriting its record or appending one. On failure the record number is still
    // returned; the caller keeps its value and the next write tries again. The user is told of
    // the first failure, and again only after a write has succeeded in between.
    int writeKey(const QString& key, const QString& value);
    int writeKey(const QString& key, const char* value) { return writeKey(key, QString::fromUtf8(value)); }
    int writeKey(const QString& key, bool value);
    int writeKey(const QString& key, int value);
    int writeKey(const QString& key, const QDate& value);
    // Whether the last write failed.
    bool writeFailing() const { return m_notice.failing(); }

private:
    QString m_path;
    WriteFailureNotice m_notice;
};

} // namespace chronolien
