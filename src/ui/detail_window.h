#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QPushButton;

namespace chronolien {

struct MailDetail;

// fl_detmail: the headers of one listed message, with "Supprimer" to delete it on its server and
// "Valider" to close. Borderless and always on top; the user drags it by its background.
class DetailWindow final : public QWidget {
    Q_OBJECT

public:
    DetailWindow();

    // Fills the value labels and shows the window, not modal; an open window is refilled.
    void showMailDetail(const MailDetail& detail);

    QLabel* value(const char* name) const; // de, retour, a, sujet, date or taille

Q_SIGNALS:
    // "Supprimer": the window has closed; the selected message is to be deleted.
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* addLabel(const QString& name, const QString& text, int left, int top, int width);

    QPushButton* m_delete; // supr
    QPushButton* m_ok; // ok
    bool m_dragging = false;
    QPoint m_pressPoint; // where the background was pressed, in the window's coordinates
};

} // namespace chronolien
