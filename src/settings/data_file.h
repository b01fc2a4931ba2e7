#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace chronolien {

// The files of the application folder are opened here, and only when they are regular files: a
// pipe, a device or a folder in a data file's place reads as absent, is never written, and opening
// it never waits.
enum class DataFileMode { Read, ReadWrite, Append };

namespace DataFileFlag {
constexpr int CreateMissing = 0x1;
// The file holds passwords: readable and writable by its owner only, made so at every opening for
// writing whatever mode it had.
constexpr int OwnerOnly = 0x2;
} // namespace DataFileFlag

enum class DataFileStatus {
    Opened,
    Missing, // nothing of that name
    NotRegular, // something that is no regular file stands in its place
    Failed, // a regular file that could not be opened (permissions, a read-only folder...)
};

// Opens the data file at path into file. On failure, error says why.
DataFileStatus openDataFile(QFile& file, const QString& path, DataFileMode mode, int flags, QString* error);

// At most maxBytes of the regular file at path; empty when there is none or it cannot be read.
QByteArray readDataFile(const QString& path, qint64 maxBytes);

// Replaces the file at path by the bytes through a temporary file renamed over it, so that a
// failed write (a full disk) leaves the old content whole. Refuses to replace anything but a
// regular file. On failure, error says why.
bool replaceDataFile(const QString& path, const QByteArray& bytes, QString* error);

} // namespace chronolien
