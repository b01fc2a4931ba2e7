#pragma once

#include "config_dialog/file_chooser.h"

class QWidget;

namespace chronolien {

// The desktop's file-open dialog.
class DialogFileChooser final : public FileChooser {
public:
    explicit DialogFileChooser(QWidget* owner = nullptr)
        : m_owner(owner)
    {
    }
    QString getOpenFileName(const FileChoice& choice) override;

private:
    QWidget* m_owner;
};

} // namespace chronolien
