#include "settings/command_list.h"

#include "platform/message_box.h"
#include "settings/logging.h"
#include "settings/win1252.h"

#include <QFile>

namespace chronolien {

QString commandListPath(const QString& appFolder, int list)
{
    return appFolder + (list == 2 ? QStringLiteral("/even2.ini") : QStringLiteral("/even1.ini"));
}

bool canStoreCommand(const QString& path)
{
    return !path.contains(u'"') && !path.contains(u'\r') && !path.contains(u'\n');
}

QStringList parseCommandListText(const QString& text)
{
    QStringList fields;
    const qsizetype size = text.size();
    qsizetype i = 0;
    auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
    while (i < size) {
        while (i < size && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
        QString field;
        if (i < size && text[i] == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? size : close;
            field = text.mid(i + 1, end - i - 1);
            i = end + 1;
            // Whatever follows the closing mark up to the next delimiter is not part of the entry.
            while (i < size && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < size && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
            field = text.mid(start, i - start).trimmed();
        }
        if (i < size && text[i] == u',')
            ++i;
        else
            while (i < size && isLineEnd(text[i]))
                ++i;
        // Blank lines and empty fields name no program.
        if (!field.isEmpty())
            fields.append(field);
    }
    return fields;
}

void loadCommandList(CommandList& list, const QString& path, MessageBox& messages)
{
    list.entries.clear();
    QFile file(path);
    if (!file.exists()) {
        saveCommandList(list, path, messages);
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        return;
    list.entries = parseCommandListText(fromWin1252(file.readAll()));
    if (list.entries.size() > CommandList::Capacity)
        list.entries.resize(CommandList::Capacity);
}

bool saveCommandList(const CommandList& list, const QString& path, MessageBox& messages)
{
    QByteArray bytes;
    for (const QString& entry : list.entries) {
        if (canStoreCommand(entry))
            bytes += '"' + toWin1252(entry) + "\"\r\n";
    }
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size() && file.flush();
    const QString error = file.errorString();
    file.close();
    if (!written) {
        qCWarning(lcSettings).noquote() << "could not write" << path << ":" << error;
        messages.show(QStringLiteral("Impossible d'écrire dans le fichier ") + path, StyleCritical);
    }
    return written;
}

void commitCommandList(
    CommandList& list, const QStringList& pageLines, const QString& path, MessageBox& messages)
{
    list.entries.clear();
    for (const QString& line : pageLines) {
        if (list.entries.size() >= CommandList::Capacity)
            break;
        if (canStoreCommand(line))
            list.entries.append(line);
    }
    saveCommandList(list, path, messages);
}

} // namespace chronolien
