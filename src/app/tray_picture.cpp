#include "app/tray_picture.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <iterator>
#include <map>

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
    p.drawLine(QPointF(32, 32),
        QPointF(32 - 11 * qSin(qDegreesToRadians(60.0)), 32 - 11 * qCos(qDegreesToRadians(60.0))));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 32),
        QPointF(32 + 17 * qSin(qDegreesToRadians(60.0)), 32 - 17 * qCos(qDegreesToRadians(60.0))));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xa6, 0x23));
    p.drawEllipse(QPointF(32, 32), 4, 4);
    return pixmap;
}

// The sizes the dial is drawn at; a tray that asks for another size gets the nearest one scaled.
constexpr int DialSizes[] = { 16, 22, 24, 32, 48, 64 };

// The dial drawn only at the sizes the tray asks for, when it asks: drawing all six at start costs
// more than the rest of the icon's registration, and a tray shows one. Each request is answered by
// the size an icon holding all six pictures would choose (the smallest at least as large as the
// request, else the largest), so the tray shows the same pixels.
class DialIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new DialIconEngine(*this); }
    QString key() const override { return QStringLiteral("ChronolienDial"); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : DialSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawnFor(size).actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawnFor(size).pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio
            = painter->device() ? painter->device()->devicePixelRatio() : qApp->devicePixelRatio();
        drawnFor(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    // An icon holding the one picture chosen for the requested size, drawn on first use.
    const QIcon& drawnFor(const QSize& requested)
    {
        const qint64 area = qint64(requested.width()) * requested.height();
        int chosen = DialSizes[std::size(DialSizes) - 1];
        for (int size : DialSizes) {
            if (qint64(size) * size >= area) {
                chosen = size;
                break;
            }
        }
        QIcon& icon = m_drawn[chosen];
        if (icon.isNull())
            icon.addPixmap(drawDial(chosen));
        return icon;
    }

    std::map<int, QIcon> m_drawn;
};

} // namespace

QIcon trayPicture()
{
    return QIcon(new DialIconEngine);
}

} // namespace chronolien
