#pragma once

#include <QWidget>

class QLabel;

namespace chronolien {

class BarChart;
struct UsageReport;

// The graph's window: the current period day by day against the allowance's daily pace, the time
// used and left, the forecast, and the twelve periods before month by month.
class GraphWindow : public QWidget {
    Q_OBJECT
public:
    GraphWindow(const UsageReport& report, const QDate& today, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToScreen();

    bool m_painted = false;
};

} // namespace chronolien
