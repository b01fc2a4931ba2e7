#include "ui/click_area.h"

#include <QMouseEvent>

namespace chronolien {

ClickArea::ClickArea(QWidget* parent, const QString& name, const QString& toolTip)
    : QWidget(parent)
{
    setObjectName(name);
    if (!toolTip.isEmpty())
        setToolTip(toolTip);
}

void ClickArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    event->accept();
    Q_EMIT pressed(event->button(), event->globalPosition());
}

void ClickArea::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT moved(event->globalPosition());
}

void ClickArea::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool click
        = event->button() == Qt::LeftButton && m_leftDown && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    Q_EMIT released(event->button(), event->globalPosition());
    if (click)
        Q_EMIT clicked(event->globalPosition());
}

void ClickArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    // The second press of a double click is the double click alone: no press, and its release
    // makes no click.
    m_leftDown = false;
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

} // namespace chronolien
