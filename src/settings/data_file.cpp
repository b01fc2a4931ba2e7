#include "settings/data_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace chronolien {

namespace {

QString systemError(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

const QString NotRegularText = QStringLiteral("not a regular file");

} // namespace

DataFileStatus openDataFile(QFile& file, const QString& path, DataFileMode mode, int flags, QString* error)
{
    int openFlags = O_CLOEXEC | O_NONBLOCK; // a pipe with nobody at its other end must not hold us
    QIODevice::OpenMode qtMode;
    switch (mode) {
    case DataFileMode::Read:
        openFlags |= O_RDONLY;
        qtMode = QIODevice::ReadOnly;
        break;
    case DataFileMode::ReadWrite:
        openFlags |= O_RDWR;
        qtMode = QIODevice::ReadWrite;
        break;
    case DataFileMode::Append:
        openFlags |= O_WRONLY | O_APPEND;
        qtMode = QIODevice::WriteOnly | QIODevice::Append;
        break;
    }
    if (flags & DataFileFlag::CreateMissing)
        openFlags |= O_CREAT;
    const mode_t createMode = (flags & DataFileFlag::OwnerOnly) ? 0600 : 0666;

    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(), openFlags, createMode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int number = errno;
        // Opening a pipe for writing with no reader fails with ENXIO; a folder opened for writing
        // fails with EISDIR: both are something else standing in the file's place.
        if (number == ENXIO || number == EISDIR) {
            setError(error, NotRegularText);
            return DataFileStatus::NotRegular;
        }
        setError(error, systemError(number));
        return number == ENOENT ? DataFileStatus::Missing : DataFileStatus::Failed;
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        setError(error, NotRegularText);
        return DataFileStatus::NotRegular;
    }
    if ((flags & DataFileFlag::OwnerOnly) && mode != DataFileMode::Read && (info.st_mode & 07777) != 0600
        && ::fchmod(fd, 0600) != 0) {
        // Passwords are never written into a file that others may read.
        const int number = errno;
        ::close(fd);
        setError(error, QStringLiteral("cannot make it readable by its owner only: ") + systemError(number));
        return DataFileStatus::Failed;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, qtMode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        setError(error, file.errorString());
        return DataFileStatus::Failed;
    }
    return DataFileStatus::Opened;
}

QByteArray readDataFile(const QString& path, qint64 maxBytes)
{
    QFile file;
    if (openDataFile(file, path, DataFileMode::Read, 0, nullptr) != DataFileStatus::Opened)
        return {};
    return file.read(maxBytes);
}

bool replaceDataFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile()) {
        setError(error, NotRegularText);
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so that a write cut short (a full disk) shows at once and nothing is committed.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        setError(error, file.errorString());
        file.cancelWriting();
    }
    return written;
}

} // namespace chronolien
