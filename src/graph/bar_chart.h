#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <optional>

namespace chronolien {

// Bars of connected time with the hours on the vertical axis, and an optional reference line (the
// allowance, or its daily pace). Sizes follow the font, so the chart stays readable when the
// desktop's text is larger.
class BarChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString label; // under the bar; empty for none
        qint64 seconds = 0;
        bool highlighted = false; // today
    };

    explicit BarChart(QWidget* parent = nullptr);

    void setBars(QList<Bar> bars);
    void setReferenceLine(std::optional<qint64> seconds, QString label);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<Bar> m_bars;
    std::optional<qint64> m_reference;
    QString m_referenceLabel;
};

} // namespace chronolien
