#pragma once

#include <QColor>
#include <QWidget>

namespace chronolien {

// A plain coloured shape on a window (the throughput lights, the gauge cursor). The mouse goes
// through it to what lies beneath.
class ShapeWidget final : public QWidget {
public:
    enum Kind { Round, Rectangle };

    ShapeWidget(QWidget* parent, const QString& name, Kind kind, QColor colour);

    QColor colour() const { return m_colour; }
    void setColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    QColor m_colour;
};

} // namespace chronolien
