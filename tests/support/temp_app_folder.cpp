#include "support/temp_app_folder.h"

#include "support/file_bytes.h"

#include <QDirIterator>
#include <QFileInfo>

namespace chronolien::test {

TempAppFolder::TempAppFolder()
    : m_dir(QDir::tempPath() + QStringLiteral("/chronolien-test-XXXXXX"))
{
}

QByteArray TempAppFolder::readBytes(const QString& name) const
{
    return readFileBytes(file(name));
}

void TempAppFolder::writeBytes(const QString& name, const QByteArray& bytes) const
{
    writeFileBytes(file(name), bytes);
}

bool TempAppFolder::exists(const QString& name) const
{
    return QFileInfo::exists(file(name));
}

bool TempAppFolder::copyFrom(const QString& folder) const
{
    QDirIterator it(
        folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = path() + source.mid(folder.size());
        if (!(it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target)))
            return false;
    }
    return true;
}

} // namespace chronolien::test
