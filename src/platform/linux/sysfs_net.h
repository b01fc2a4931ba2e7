#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace chronolien {
class LinkEvents;
}

namespace chronolien::sysfs {

// Reading the kernel's network interface folder (/sys/class/net or a tree laid out like it). Every
// reader answers "nothing" rather than fail: interfaces come and go between two reads.

// ARPHRD_PPP: the link type of a point-to-point (dial-up) interface.
constexpr int LinkTypePpp = 512;

struct NetEntry {
    QString name;
    int ifindex = 0;
    int linkType = 0;
};

// A name that stays inside the folder: no separator, not "." nor "..", not empty.
bool isPlainName(const QString& name);

// The first line of a small file, without its line end; nothing when it cannot be read.
std::optional<QByteArray> readFirstLine(const QString& path);

// A decimal number, or a hexadecimal one with the "0x" prefix; nothing for any other text.
std::optional<qint64> parseNumber(const QByteArray& text);

// The number held by the first line of a file; false when the file does not read or holds none.
bool readNumberFile(const QString& path, qint64& value);

// The process number of a pid file's line: a plain decimal number above 1. Nothing for anything
// else, so that no text can make a signal go to a process group (0, negative) or to init (1).
std::optional<qint64> parseProcessNumber(const QByteArray& line);

// The interfaces of one link type in a network folder, in ascending index order, for a line that
// lists them every second: the folder is listed each time, but an interface's index and type, which
// stay what they were while it lives, are read once. A new interface, even one that takes an old
// name, is a new folder entry with an inode number of its own, and is read anew.
//
// With the kernel's link events (events: the real folder's), a listing that found no interface of
// the type holds until the kernel tells of a change: while the line is down nothing is read.
class InterfaceList {
public:
    InterfaceList(QString folder, int linkType, LinkEvents* events = nullptr);

    // Every interface of the link type whose index and type read. Nothing when the folder itself
    // cannot be listed.
    std::optional<QList<NetEntry>> list();

private:
    struct Known {
        QByteArray name;
        int ifindex = 0;
        int linkType = 0;
        quint64 listing = 0; // the listing that last saw it
    };

    // unread: set when an entry's index or type did not read.
    std::optional<QList<NetEntry>> listFolder(bool& unread);

    QString m_folder;
    int m_linkType;
    LinkEvents* m_events;
    bool m_foundNone = false; // the last listing found no interface of the type
    quint64 m_listings = 0;
    QHash<quint64, Known> m_known; // by inode number
};

} // namespace chronolien::sysfs
