#include "app/tray_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace chronolien {

namespace {

QPixmap drawDial(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // Face: a deep blue disc with a lighter rim.
    QRadialGradient face(QPointF(26, 24), 36);
    face.setColorAt(0, QColor(0x3d, 0x7c, 0xd6));
    face.setColorAt(1, QColor(0x12, 0x2f, 0x6b));
    p.setPen(QPen(QColor(0xd8, 0xe6, 0xf7), 3));
    p.setBrush(face);
    p.drawEllipse(QPointF(32, 32), 28.5, 28.5);

    // Twelve marks, the quarters longer.
    p.setPen(QPen(QColor(0xf2, 0xf6, 0xfb), 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const double angle = qDegreesToRadians(i * 30.0);
        const double inner = i % 3 == 0 ? 18.5 : 21.5;
        p.drawLine(QPointF(32 + inner * qSin(angle), 32 - inner * qCos(angle)),
                   QPointF(32 + 24.5 * qSin(angle), 32 - 24.5 * qCos(angle)));
    }

    // Hands at ten past ten, and an amber hub.
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 32), QPointF(32 - 11 * qSin(qDegreesToRadians(60.0)), 32 - 11 * qCos(qDegreesToRadians(60.0))));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 32), QPointF(32 + 17 * qSin(qDegreesToRadians(60.0)), 32 - 17 * qCos(qDegreesToRadians(60.0))));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xa6, 0x23));
    p.drawEllipse(QPointF(32, 32), 4, 4);
    return pixmap;
}

} // namespace

QIcon trayPicture()
{
    QIcon icon;
    for (int size : { 16, 22, 24, 32, 48, 64 })
        icon.addPixmap(drawDial(size));
    return icon;
}

} // namespace chronolien
