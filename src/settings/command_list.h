#pragma once

#include <QString>
#include <QStringList>

namespace chronolien {

class MessageBox;

// The programs started at connection (list 1, even1.ini) or at disconnection (list 2, even2.ini):
// at most ten full paths, kept one per line in double quotation marks, Windows-1252, CR LF.
struct CommandList {
    static constexpr int Capacity = 10;
    // What is read of a list file: ten full paths fit many times over.
    static constexpr qint64 MaxFileBytes = 64 * 1024;
    QStringList entries;
};

// even1.ini or even2.ini in the application folder.
QString commandListPath(const QString& appFolder, int list);

// A path the list files can carry: no double quotation mark and no line break in it.
bool canStoreCommand(const QString& path);

// Fills the list from its file, creating the file empty when it is missing. Something that is not
// a regular file in its place reads as an empty list.
void loadCommandList(CommandList& list, const QString& path);
// Replaces the file by the list through a temporary file, so that a failed save leaves the old
// list whole. Tells the user when the file cannot be written.
bool saveCommandList(const CommandList& list, const QString& path, MessageBox& messages);
// Takes the page's lines (the first ten that the file can carry) and saves them.
void commitCommandList(
    CommandList& list, const QStringList& pageLines, const QString& path, MessageBox& messages);

// The entries of a list file's text: quoted fields, or unquoted ones cut at commas.
QStringList parseCommandListText(const QString& text);

} // namespace chronolien
