#pragma once

#include "support/file_bytes.h"

#include <QByteArray>
#include <QDirIterator>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

namespace chronolien::test {

// A fresh, empty application folder that disappears with the test.
class TempAppFolder {
public:
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    QByteArray readBytes(const QString& name) const { return readFileBytes(file(name)); }
    void writeBytes(const QString& name, const QByteArray& bytes) const { writeFileBytes(file(name), bytes); }
    bool exists(const QString& name) const { return QFileInfo::exists(file(name)); }
    // Copies a whole folder (the built application folder) into this one.
    bool copyFrom(const QString& folder) const
    {
        QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = path() + source.mid(folder.size());
            if (!(it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target)))
                return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir { QDir::tempPath() + QStringLiteral("/chronolien-test-XXXXXX") };
};

} // namespace chronolien::test
