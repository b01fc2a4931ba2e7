#pragma once

#include <QString>

namespace chronolien {

// What a file-open dialog is asked for. The filter is in the toolkit's form: a description
// followed by its patterns in parentheses.
struct FileChoice {
    QString title;
    QString filter;
    QString defaultSuffix; // added to a typed name without one; empty for none
    QString initialFolder;
};

// The configuration dialog's file-open dialog: the full path of the chosen file, or an empty text
// when the user cancels. Tests script the answers.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString getOpenFileName(const FileChoice& choice) = 0;
};

} // namespace chronolien
