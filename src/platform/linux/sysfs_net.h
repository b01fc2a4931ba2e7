#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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

// Every interface of the folder whose index and type read (only those of the given link type when
// one is given), in ascending index order. Nothing when the folder itself cannot be listed.
std::optional<QList<NetEntry>> listInterfaces(
    const QString& folder, std::optional<int> linkType = std::nullopt);

} // namespace chronolien::sysfs
