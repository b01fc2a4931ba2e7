#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <sys/stat.h>

namespace chronolien::test {

// The raw bytes of a file; empty when it cannot be read.
inline QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces a file's content with exactly these bytes.
inline bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Puts something that is no regular file at path: a named pipe that nobody writes into ("pipe"),
// which blocks whoever opens it for reading, or a folder ("folder").
inline bool makeNonRegular(const QString& path, const QString& kind)
{
    if (kind == u"pipe")
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    return QDir().mkpath(path);
}

} // namespace chronolien::test
