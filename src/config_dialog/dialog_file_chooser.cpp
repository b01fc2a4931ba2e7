#include "config_dialog/dialog_file_chooser.h"

#include <QFileDialog>

namespace chronolien {

QString DialogFileChooser::getOpenFileName(const FileChoice& choice)
{
    QFileDialog dialog(m_owner, choice.title, choice.initialFolder, choice.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    // The file name always starts cleared, whatever was chosen before.
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace chronolien
