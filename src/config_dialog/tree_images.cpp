#include "config_dialog/tree_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace chronolien {

namespace {

void folder(QPainter& p, bool open)
{
    p.setPen(QColor(0x80, 0x60, 0x10));
    p.setBrush(QColor(0xF0, 0xC8, 0x50));
    p.drawRect(1, 3, 6, 3);
    p.drawRect(1, 5, 13, 9);
    if (open) {
        p.setBrush(QColor(0xFF, 0xE0, 0x80));
        p.drawPolygon(QPolygonF({ QPointF(3, 8), QPointF(15, 8), QPointF(13, 14), QPointF(1, 14) }));
    }
}

void clock(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(0x20, 0x40, 0xA0), 1.5));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9));
}

void hourglass(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0xE8, 0xD8, 0xA0));
    p.drawPolygon(QPolygonF(
        { QPointF(3, 2), QPointF(13, 2), QPointF(8, 8), QPointF(13, 14), QPointF(3, 14), QPointF(8, 8) }));
    p.setBrush(QColor(0xC0, 0x90, 0x30));
    p.drawPolygon(QPolygonF({ QPointF(5, 14), QPointF(11, 14), QPointF(8, 10) }));
}

void warning(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0xFF, 0xD0, 0x00));
    p.drawPolygon(QPolygonF({ QPointF(8, 1), QPointF(15, 14), QPointF(1, 14) }));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(8, 5), QPointF(8, 10));
    p.drawPoint(QPointF(8, 12.5));
}

void resetArrow(QPainter& p)
{
    p.setPen(QPen(QColor(0x10, 0x80, 0x30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 270 * 16);
    p.setBrush(QColor(0x10, 0x80, 0x30));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({ QPointF(8, 0), QPointF(12, 3), QPointF(8, 6) }));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("0"));
}

void window(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 11);
    p.setBrush(QColor(0x20, 0x40, 0xA0));
    p.drawRect(1, 2, 13, 3);
}

void palette(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0xE0, 0xC0, 0x90));
    p.drawEllipse(QRectF(1, 2, 14, 12));
    const QColor colours[] = { Qt::red, Qt::blue, QColor(0x00, 0xA0, 0x00), Qt::yellow };
    const QPointF spots[] = { QPointF(5, 6), QPointF(9, 5), QPointF(11, 9), QPointF(6, 10) };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawEllipse(spots[i], 1.6, 1.6);
    }
}

void crosshair(QPainter& p)
{
    p.setPen(QPen(QColor(0xB0, 0x10, 0x10), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 3, 10, 10));
    p.drawLine(QPointF(8, 0), QPointF(8, 16));
    p.drawLine(QPointF(0, 8), QPointF(16, 8));
}

void counter(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawRect(0, 4, 15, 8);
    p.setPen(QColor(0x40, 0xFF, 0x40));
    QFont font = p.font();
    font.setPixelSize(7);
    p.setFont(font);
    p.drawText(QRectF(0, 4, 16, 8), Qt::AlignCenter, QStringLiteral("0:00"));
}

void plug(QPainter& p, bool connected)
{
    const QColor colour = connected ? QColor(0x00, 0x90, 0x20) : QColor(0xB0, 0x20, 0x20);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(1, 6, 5, 4);
    p.drawRect(connected ? 6 : 8, 6, 5, 4);
    p.setPen(QPen(colour, 1));
    p.drawLine(QPointF(connected ? 11 : 13, 7), QPointF(15, 7));
    p.drawLine(QPointF(connected ? 11 : 13, 9), QPointF(15, 9));
    p.drawLine(QPointF(0, 8), QPointF(1, 8));
}

void envelope(QPainter& p, bool at)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(1, 3, 14, 10);
    p.drawPolyline(QPolygonF({ QPointF(1, 3), QPointF(8, 9), QPointF(15, 3) }));
    if (at) {
        p.setPen(QColor(0x20, 0x40, 0xA0));
        QFont font = p.font();
        font.setPixelSize(8);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(7, 7, 9, 9), Qt::AlignCenter, QStringLiteral("@"));
    }
}

void loop(QPainter& p)
{
    p.setPen(QPen(QColor(0x20, 0x40, 0xA0), 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(8, 8);
    path.cubicTo(11, 2, 16, 5, 15, 8);
    path.cubicTo(14, 12, 11, 13, 8, 8);
    path.cubicTo(5, 2, 0, 5, 1, 8);
    path.cubicTo(2, 12, 5, 13, 8, 8);
    p.drawPath(path);
}

} // namespace

QImage treeImage(int number)
{
    QImage image(kTreeImageSize, kTreeImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (number) {
    case 1:
        folder(p, false);
        break;
    case 2:
        folder(p, true);
        break;
    case 3:
        clock(p);
        break;
    case 4:
        hourglass(p);
        break;
    case 5:
        warning(p);
        break;
    case 6:
        resetArrow(p);
        break;
    case 7:
        window(p);
        break;
    case 8:
        palette(p);
        break;
    case 9:
        crosshair(p);
        break;
    case 10:
        counter(p);
        break;
    case 11:
        plug(p, true);
        break;
    case 12:
        plug(p, false);
        break;
    case 13:
        envelope(p, false);
        break;
    case 14:
        envelope(p, true);
        break;
    case 15:
        loop(p);
        break;
    default:
        break;
    }
    return image;
}

QIcon treeIcon(int image, int selectedImage)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(treeImage(image)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(treeImage(selectedImage)), QIcon::Selected);
    return icon;
}

} // namespace chronolien
