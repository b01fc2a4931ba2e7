#include "config_dialog/link_label.h"

#include <QMouseEvent>

namespace chronolien {

LinkLabel::LinkLabel(const QString& name, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace chronolien
