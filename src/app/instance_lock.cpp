#include "app/instance_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace chronolien {

QString InstanceLock::lockPath(const QString& appFolder)
{
    const QString canonical = QFileInfo(appFolder).canonicalFilePath();
    const QByteArray key = (canonical.isEmpty() ? appFolder : canonical).toUtf8();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/chronolien-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32))
        + QStringLiteral(".lock");
}

InstanceLock::InstanceLock(const QString& appFolder)
    : m_path(lockPath(appFolder))
    , m_lock(m_path)
{
    // The lock lasts as long as the program runs: only a dead owner makes it stale, never its age.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::tryLock()
{
    if (m_lock.tryLock(0))
        return true;
    return m_lock.error() != QLockFile::LockFailedError;
}

} // namespace chronolien
