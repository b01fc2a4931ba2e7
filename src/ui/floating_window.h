#pragma once

#include "ui/skinned_window.h"

namespace chronolien {

class ClickArea;
class ShapeWidget;

// fl_centre: the floating status window with its connect, menu, hide and quit buttons and the two
// throughput lights. It is moved by dragging its background or its connect button.
class FloatingWindow final : public SkinnedWindow {
    Q_OBJECT

public:
    FloatingWindow();

    ClickArea* bt_connect() const { return m_connect; }
    ClickArea* bt_config() const { return m_config; }
    ClickArea* bt_reduire() const { return m_reduire; }
    ClickArea* bt_fermer() const { return m_fermer; }
    QWidget* Image1() const { return m_indicator; }
    ShapeWidget* led_up() const { return m_ledUp; }
    ShapeWidget* led_down() const { return m_ledDown; }

    // "Déconnecter" on the connect button while the line is up, "Connecter" otherwise.
    void setConnectToolTip(bool connected);

    bool dragging() const { return m_drag.dragging; }
    // Forgets a drag in progress, as a window closed during it must.
    void resetDrag() { m_drag = {}; }

Q_SIGNALS:
    void toggleConnectionRequested();
    void menuRequested(QPoint globalPos);
    void hideRequested();
    void quitRequested();
    // The first movement of a drag; the satellite windows go out of the way.
    void dragStarted();
    // The button was released after a drag; the window stands at its new place.
    void dragFinished();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The drag from fond or bt_connect; positions are the pointer's inside that control, in twips.
    void buttonPressed(Qt::MouseButton button, QPoint pointerTwips);
    void pointerMoved(QPoint pointerTwips);
    void buttonReleased();
    // The pointer's place inside a control at the given offset in the window, in twips.
    QPoint pointerInside(QPointF globalPos, QPoint controlOffset) const;

    struct DragState {
        QPoint start;
        bool buttonDown = false;
        bool dragging = false;
    };

    ClickArea* m_connect;
    ClickArea* m_config;
    ClickArea* m_reduire;
    ClickArea* m_fermer;
    QWidget* m_indicator;
    ShapeWidget* m_ledUp;
    ShapeWidget* m_ledDown;
    DragState m_drag;
};

} // namespace chronolien
