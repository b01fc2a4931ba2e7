#include "ui/shape_widget.h"

#include <QPainter>

namespace chronolien {

ShapeWidget::ShapeWidget(QWidget* parent, const QString& name, Kind kind, QColor colour)
    : QWidget(parent)
    , m_kind(kind)
    , m_colour(colour)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setColour(QColor colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_colour);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_kind == Round)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}

} // namespace chronolien
