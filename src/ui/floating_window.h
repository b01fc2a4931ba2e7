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

    // "Déconnecter" on the connect button while the line is up, "Connecter" otherwise.
    void setConnectToolTip(bool connected);
    // The throughput lights: led_down for data coming in, led_up for data going out.
    void setDownLight(bool shown);
    void setUpLight(bool shown);

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

    ClickArea* m_connect; // bt_connect
    ClickArea* m_menuButton; // bt_config
    ClickArea* m_hide; // bt_reduire
    ClickArea* m_quit; // bt_fermer
    QWidget* m_indicator; // Image1
    ShapeWidget* m_ledUp; // led_up
    ShapeWidget* m_ledDown; // led_down
    DragState m_drag;
};

} // namespace chronolien
