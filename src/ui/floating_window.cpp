#include "ui/floating_window.h"

#include "ui/click_area.h"
#include "ui/shape_widget.h"
#include "ui/twips.h"

#include <QMouseEvent>

namespace chronolien {

namespace {

QString connectToolTip(bool connected)
{
    return connected ? QStringLiteral("Déconnecter") : QStringLiteral("Connecter");
}

} // namespace

FloatingWindow::FloatingWindow()
    : SkinnedWindow(QStringLiteral("fl_centre"), QSize(1140, 1005), QSize(1095, 975))
{
    // Created bottom to top: the lights lie over the indicator area, which takes their tooltip.
    m_indicator = new ClickArea(this, QStringLiteral("Image1"), QStringLiteral("Indicateur de débit"));
    m_indicator->setGeometry(twipsRect(120, 420, 135, 440));
    m_connect = new ClickArea(this, QStringLiteral("bt_connect"), connectToolTip(false));
    m_connect->setGeometry(twipsRect(360, 400, 540, 450));
    m_menuButton = new ClickArea(this, QStringLiteral("bt_config"), QStringLiteral("Afficher le menu"));
    m_menuButton->setGeometry(twipsRect(120, 60, 300, 300));
    m_hide = new ClickArea(this, QStringLiteral("bt_reduire"), QStringLiteral("Réduire"));
    m_hide->setGeometry(twipsRect(480, 60, 240, 240));
    m_quit = new ClickArea(this, QStringLiteral("bt_fermer"), QStringLiteral("Quitter"));
    m_quit->setGeometry(twipsRect(740, 60, 240, 240));
    m_ledUp = new ShapeWidget(this, QStringLiteral("led_up"), ShapeWidget::Round, QColor(255, 80, 40));
    m_ledUp->setGeometry(twipsRect(120, 470, 130, 130));
    m_ledUp->hide();
    m_ledDown = new ShapeWidget(this, QStringLiteral("led_down"), ShapeWidget::Round, QColor(60, 255, 60));
    m_ledDown->setGeometry(twipsRect(120, 720, 135, 135));
    m_ledDown->hide();

    connect(
        m_menuButton, &ClickArea::clicked, this, [this](QPointF at) { Q_EMIT menuRequested(at.toPoint()); });
    connect(m_hide, &ClickArea::clicked, this, &FloatingWindow::hideRequested);
    connect(m_quit, &ClickArea::clicked, this, &FloatingWindow::quitRequested);
    connect(m_connect, &ClickArea::doubleClicked, this, &FloatingWindow::toggleConnectionRequested);

    const QPoint connectOffset(pixelsToTwips(m_connect->x()), pixelsToTwips(m_connect->y()));
    connect(m_connect, &ClickArea::pressed, this, [this, connectOffset](Qt::MouseButton button, QPointF at) {
        if (button == Qt::RightButton)
            Q_EMIT menuRequested(at.toPoint());
        buttonPressed(button, pointerInside(at, connectOffset));
    });
    connect(m_connect, &ClickArea::moved, this,
        [this, connectOffset](QPointF at) { pointerMoved(pointerInside(at, connectOffset)); });
    connect(m_connect, &ClickArea::released, this, [this] { buttonReleased(); });
}

void FloatingWindow::setConnectToolTip(bool connected)
{
    m_connect->setToolTip(connectToolTip(connected));
}

void FloatingWindow::setDownLight(bool shown)
{
    m_ledDown->setVisible(shown);
}

void FloatingWindow::setUpLight(bool shown)
{
    m_ledUp->setVisible(shown);
}

void FloatingWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    buttonPressed(event->button(), pointerInside(event->globalPosition(), {}));
}

void FloatingWindow::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    pointerMoved(pointerInside(event->globalPosition(), {}));
}

void FloatingWindow::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    buttonReleased();
}

QPoint FloatingWindow::pointerInside(QPointF globalPos, QPoint controlOffset) const
{
    // Measured from the screen rather than from the event's own window coordinates: while the
    // window moves under the pointer, events already queued were measured against its old place.
    return QPoint(pixelsToTwips(globalPos.x()), pixelsToTwips(globalPos.y()))
        - QPoint(leftTwips(), topTwips()) - controlOffset;
}

void FloatingWindow::buttonPressed(Qt::MouseButton button, QPoint pointerTwips)
{
    if (button != Qt::LeftButton)
        return;
    m_drag.start = pointerTwips;
    m_drag.buttonDown = true;
}

void FloatingWindow::pointerMoved(QPoint pointerTwips)
{
    // Any movement at all is a drag: there is no threshold.
    if (pointerTwips == m_drag.start || !m_drag.buttonDown)
        return;
    if (!m_drag.dragging) {
        m_drag.dragging = true;
        Q_EMIT dragStarted();
    }
    const QPoint shift = pointerTwips - m_drag.start;
    moveToTwips(leftTwips() + shift.x(), topTwips() + shift.y());
}

void FloatingWindow::buttonReleased()
{
    m_drag.buttonDown = false;
    if (!m_drag.dragging)
        return;
    Q_EMIT dragFinished();
    m_drag.dragging = false;
}

} // namespace chronolien
