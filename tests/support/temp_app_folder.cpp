#include "support/temp_app_folder.h"

#include "support/file_bytes.h"

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

} // namespace chronolien::test
