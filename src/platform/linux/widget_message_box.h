#pragma once

#include "platform/message_box.h"

#include <QSet>
#include <functional>

namespace chronolien {

// Message boxes of the desktop. A message already on screen is not opened a second time.
class WidgetMessageBox final : public MessageBox {
public:
    MessageAnswer show(const QString& text, MessageStyle style) override;

    // Called before each box waits for its answer in an event loop of its own.
    void setBeforeWaiting(std::function<void()> hook) { m_beforeWaiting = std::move(hook); }

private:
    QSet<QString> m_open;
    std::function<void()> m_beforeWaiting;
};

} // namespace chronolien
