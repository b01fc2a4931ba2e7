#include "platform/linux/sysfs_net.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cerrno>
#include <dirent.h>

namespace chronolien::sysfs {

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
}

std::optional<QByteArray> readFirstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // sysfs files and pid files are a line long; a larger file is not one of them.
    constexpr qint64 limit = 256;
    QByteArray bytes = file.read(limit);
    if (bytes.isNull() && file.error() != QFileDevice::NoError)
        return std::nullopt;
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

std::optional<QList<NetEntry>> listInterfaces(const QString& folder)
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
        const auto index = readFirstLine(base + QStringLiteral("ifindex"));
        const auto type = readFirstLine(base + QStringLiteral("type"));
        const auto indexValue = index ? parseNumber(*index) : std::nullopt;
        const auto typeValue = type ? parseNumber(*type) : std::nullopt;
        // An entry without a readable index or type is not an interface, or one that just vanished.
        if (!indexValue || !typeValue || *indexValue < 0 || *indexValue > INT_MAX || *typeValue < 0
            || *typeValue > INT_MAX)
            continue;
        entries.append({ name, int(*indexValue), int(*typeValue) });
    }
    std::stable_sort(entries.begin(), entries.end(), [](const NetEntry& a, const NetEntry& b) {
        return a.ifindex != b.ifindex ? a.ifindex < b.ifindex : a.name < b.name;
    });
    return entries;
}

} // namespace chronolien::sysfs
