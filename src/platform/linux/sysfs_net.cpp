#include "platform/linux/sysfs_net.h"

#include "platform/linux/link_events.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace chronolien::sysfs {

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/')
        && !name.contains(QChar(0));
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

namespace {

// The first line of a small file opened relative to a folder (AT_FDCWD: the working folder), into
// the caller's buffer: the line's length, or -1 when the file cannot be read.
// Plain system calls: the line is read once a second for every interface, and QFile's buffering
// and checks cost more than the read itself.
ssize_t readFirstLineAt(int folder, const char* path, char (&buffer)[256])
{
    const int fd = ::openat(folder, path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    // sysfs files and pid files are a line long; a larger file is not one of them.
    ssize_t size = -1;
    do {
        size = ::read(fd, buffer, sizeof buffer);
    } while (size < 0 && errno == EINTR);
    ::close(fd);
    if (size < 0)
        return -1;
    const void* end = std::memchr(buffer, '\n', size_t(size));
    return end ? static_cast<const char*>(end) - buffer : size;
}

// The number on the first line of the file "<entry>/<file>" of an open folder.
bool readNumberAt(int folder, const char* entry, const char* file, qint64& value)
{
    // A folder entry's name is at most NAME_MAX bytes; the path is built on the stack.
    char path[NAME_MAX + 16];
    if (std::snprintf(path, sizeof path, "%s/%s", entry, file) >= int(sizeof path))
        return false;
    char buffer[256];
    const ssize_t size = readFirstLineAt(folder, path, buffer);
    if (size < 0)
        return false;
    const std::optional<qint64> number = parseNumber(QByteArray::fromRawData(buffer, qsizetype(size)));
    if (!number)
        return false;
    value = *number;
    return true;
}

} // namespace

std::optional<QByteArray> readFirstLine(const QString& path)
{
    char buffer[256];
    const ssize_t size = readFirstLineAt(AT_FDCWD, QFile::encodeName(path).constData(), buffer);
    if (size < 0)
        return std::nullopt;
    return QByteArray(buffer, qsizetype(size));
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
    if (digits.isEmpty()
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 pid = digits.toLongLong(&ok, 10);
    if (!ok || pid <= 1 || pid > INT_MAX)
        return std::nullopt;
    return pid;
}

InterfaceList::InterfaceList(QString folder, int linkType, LinkEvents* events)
    : m_folder(std::move(folder))
    , m_linkType(linkType)
    , m_events(events)
{
}

std::optional<QList<NetEntry>> InterfaceList::list()
{
    // A change told while the folder is being listed is kept for the next call.
    const bool changed = !m_events || m_events->takeChange();
    if (m_foundNone && !changed)
        return QList<NetEntry>();
    bool unread = false;
    auto entries = listFolder(unread);
    // An entry that did not read may be an interface on its way: it is read again next time.
    m_foundNone = entries && entries->isEmpty() && !unread;
    return entries;
}

std::optional<QList<NetEntry>> InterfaceList::listFolder(bool& unread)
{
    // opendir tells a folder that cannot be listed from an empty one, which QDir does not. The files
    // of a new entry are opened relative to the listed folder.
    DIR* dir = opendir(QFile::encodeName(m_folder).constData());
    if (!dir)
        return std::nullopt;
    const int folderFd = dirfd(dir);
    const quint64 listing = ++m_listings;
    QList<NetEntry> entries;
    bool listed = true;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            listed = errno == 0;
            break;
        }
        const char* encoded = entry->d_name;
        // A plain file (bonding_masters) is never an interface, which is a link or a folder.
        if (!*encoded || std::strcmp(encoded, ".") == 0 || std::strcmp(encoded, "..") == 0
            || entry->d_type == DT_REG)
            continue;
        auto known = m_known.find(quint64(entry->d_ino));
        if (known == m_known.end() || known->name != encoded) {
            qint64 index = 0;
            qint64 type = 0;
            // An entry without a readable index or type is not an interface, or one that is coming
            // or going: it is read again at the next listing.
            if (!readNumberAt(folderFd, encoded, "type", type) || type < 0 || type > INT_MAX
                || !readNumberAt(folderFd, encoded, "ifindex", index) || index < 0 || index > INT_MAX) {
                unread = true;
                continue;
            }
            known = m_known.insert(quint64(entry->d_ino), { QByteArray(encoded), int(index), int(type), 0 });
        }
        known->listing = listing;
        if (known->linkType != m_linkType)
            continue;
        const QString name = QFile::decodeName(encoded);
        if (isPlainName(name))
            entries.append({ name, known->ifindex, known->linkType });
    }
    closedir(dir);
    m_known.removeIf([listing](const auto& known) { return known.value().listing != listing; });
    if (!listed)
        return std::nullopt;

    std::stable_sort(entries.begin(), entries.end(), [](const NetEntry& a, const NetEntry& b) {
        return a.ifindex != b.ifindex ? a.ifindex < b.ifindex : a.name < b.name;
    });
    return entries;
}

} // namespace chronolien::sysfs
