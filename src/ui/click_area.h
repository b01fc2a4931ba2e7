#pragma once

#include <QPointF>
#include <QWidget>

namespace chronolien {

// A button of a skinned window: an invisible area over the skin picture, which draws the button.
// It reports the mouse as it comes, with the pointer's position on the screen.
class ClickArea final : public QWidget {
    Q_OBJECT

public:
    ClickArea(QWidget* parent, const QString& name, const QString& toolTip);

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPointF globalPos);
    void moved(QPointF globalPos);
    void released(Qt::MouseButton button, QPointF globalPos);
    // The left button pressed and released over the area.
    void clicked(QPointF globalPos);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
};

} // namespace chronolien
