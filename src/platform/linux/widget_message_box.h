#pragma once

#include "platform/message_box.h"

#include <QSet>

namespace chronolien {

// Message boxes of the desktop. A message already on screen is not opened a second time.
class WidgetMessageBox final : public MessageBox {
public:
    MessageAnswer show(const QString& text, MessageStyle style) override;

private:
    QSet<QString> m_open;
};

} // namespace chronolien
