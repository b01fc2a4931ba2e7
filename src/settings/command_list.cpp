#include "settings/command_list.h"

#include "settings/data_file.h"
#include "settings/logging.h"
#include "settings/win1252.h"
#include "settings/write_failure_notice.h"

#include <QFileInfo>

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

void loadCommandList(CommandList& list, const QString& path)
{
    list.entries.clear();
    if (!QFileInfo::exists(path)) {
        // Nothing is lost when the empty file cannot be made (a read-only folder): the list is
        // empty either way, and the user hears of the folder from the settings file.
        QString error;
        if (!replaceDataFile(path, {}, &error))
            qCWarning(lcSettings).noquote() << "could not create" << path << ":" << error;
        return;
    }
    list.entries = parseCommandListText(fromWin1252(readDataFile(path, CommandList::MaxFileBytes)));
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
    QString error;
    if (replaceDataFile(path, bytes, &error))
        return true;
    // Saving follows the user's "Valider": each failure is told.
    WriteFailureNotice(messages).failed(path, error);
    return false;
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
