#include "platform/linux/sysfs_net.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace chronolien::sysfs {

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
}

std::optional<QByteArray> readFirstLine(const QString& path)
{
    // Plain system calls: the line is read once a second for every interface, and QFile's
    // buffering and checks cost more than the read itself.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    // sysfs files and pid files are a line long; a larger file is not one of them.
    char buffer[256];
    ssize_t size = -1;
    do {
        size = ::read(fd, buffer, sizeof buffer);
    } while (size < 0 && errno == EINTR);
    ::close(fd);
    if (size < 0)
        return std::nullopt;
    QByteArray bytes(buffer, size);
    const qsizetype end = bytes.indexOf('\n');
    if (end >= 0)
        bytes.truncate(end);
    return bytes;
}

std::optional<qint64> parseNumber(const QByteArray& text)
{
    const QByteArray trimmed = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (trimmed.startsWith("0x") || trimmed.startsWith("0X")) {
        const QByteArray digits = trimmed.mid(2);
        if (digits.isEmpty() || digits.startsWith('-') || digits.startsWith('+'))
            return std::nullopt;
        value = digits.toLongLong(&ok, 16);
    } else {
        value = trimmed.toLongLong(&ok, 10);
    }
    if (!ok)
        return std::nullopt;
    return value;
}

bool readNumberFile(const QString& path, qint64& value)
{
    const std::optional<QByteArray> line = readFirstLine(path);
    if (!line)
        return false;
    const std::optional<qint64> number = parseNumber(*line);
    if (!number)
        return false;
    value = *number;
    return true;
}

std::optional<qint64> parseProcessNumber(const QByteArray& line)
{
    const QByteArray digits = line.trimmed();
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 pid = digits.toLongLong(&ok, 10);
    if (!ok || pid <= 1 || pid > INT_MAX)
        return std::nullopt;
    return pid;
}

std::optional<QList<NetEntry>> listInterfaces(const QString& folder, std::optional<int> linkType)
{
    // opendir tells a folder that cannot be listed from an empty one, which QDir does not.
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    bool listed = true;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            listed = errno == 0;
            break;
        }
        const QString name = QFile::decodeName(entry->d_name);
        if (isPlainName(name))
            names.append(name);
    }
    closedir(dir);
    if (!listed)
        return std::nullopt;

    QList<NetEntry> entries;
    for (const QString& name : std::as_const(names)) {
        const QString base = folder + u'/' + name + u'/';
        qint64 index = 0;
        qint64 type = 0;
        // An entry without a readable index or type is not an interface, or one that just vanished.
        if (!readNumberFile(base + QStringLiteral("type"), type) || type < 0 || type > INT_MAX
            || (linkType && type != *linkType))
            continue;
        if (!readNumberFile(base + QStringLiteral("ifindex"), index) || index < 0 || index > INT_MAX)
            continue;
        entries.append({ name, int(index), int(type) });
    }
    std::stable_sort(entries.begin(), entries.end(), [](const NetEntry& a, const NetEntry& b) {
        return a.ifindex != b.ifindex ? a.ifindex < b.ifindex : a.name < b.name;
    });
    return entries;
}

} // namespace chronolien::sysfs
