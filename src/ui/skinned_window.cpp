#include "ui/skinned_window.h"

#include "ui/twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRegion>

namespace chronolien {

SkinnedWindow::SkinnedWindow(const QString& name, QSize innerTwips, QSize pictureTwips)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_pictureSize(twipsToPixels(pictureTwips.width()), twipsToPixels(pictureTwips.height()))
{
    setObjectName(name);
    setFixedSize(twipsToPixels(innerTwips.width()), twipsToPixels(innerTwips.height()));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_placeTwips = { pixelsToTwips(x()), pixelsToTwips(y()) };
}

void SkinnedWindow::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void SkinnedWindow::setOutline(const QRegion& outline)
{
    setMask(outline);
}

void SkinnedWindow::makeTopmost()
{
    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) {
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (shown)
            show();
    }
    raise();
}

int SkinnedWindow::leftTwips() const
{
    // A window moved by other means than ours reports where it really is.
    return twipsToPixels(m_placeTwips.x()) == x() ? m_placeTwips.x() : pixelsToTwips(x());
}

int SkinnedWindow::topTwips() const
{
    return twipsToPixels(m_placeTwips.y()) == y() ? m_placeTwips.y() : pixelsToTwips(y());
}

void SkinnedWindow::moveToTwips(int left, int top)
{
    m_placeTwips = { left, top };
    move(twipsToPixels(left), twipsToPixels(top));
}

void SkinnedWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        // Drawn at its own size, as a skin is drawn to fit; a larger one is cut to the picture area.
        painter.setClipRect(QRect(QPoint(0, 0), m_pictureSize));
        painter.drawImage(QPoint(0, 0), m_picture);
        return;
    }
    // No skin picture was ever found: a plain look that still shows the window's outline.
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(70, 80, 100));
    shade.setColorAt(1, QColor(25, 30, 45));
    painter.fillRect(rect(), shade);
}

} // namespace chronolien
