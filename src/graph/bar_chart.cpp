#include "graph/bar_chart.h"

#include "graph/graph_texts.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace chronolien {

namespace {

const QColor kBar(0x3b, 0x78, 0xb4);
const QColor kBarOver(0xd9, 0x7a, 0x1c);
const QColor kBarToday(0x1f, 0x4e, 0x7a);
const QColor kReference(0xc0, 0x20, 0x20);

// The step of the hour grid: a round number of minutes or hours giving at most five lines.
qint64 gridStep(qint64 top)
{
    static const qint64 steps[] = { 15 * 60, 30 * 60, 3600, 2 * 3600, 5 * 3600, 10 * 3600, 20 * 3600,
        50 * 3600, 100 * 3600, 200 * 3600, 500 * 3600 };
    for (const qint64 step : steps) {
        if (top / step <= 5)
            return step;
    }
    return (top / 5 / 3600 + 1) * 3600;
}

QString gridText(qint64 seconds)
{
    if (seconds % 3600 == 0)
        return QStringLiteral("%1 h").arg(seconds / 3600);
    return seconds < 3600 ? QStringLiteral("%1 min").arg(seconds / 60) : durationText(seconds);
}

} // namespace

BarChart::BarChart(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BarChart::setBars(QList<Bar> bars)
{
    m_bars = std::move(bars);
    update();
}

void BarChart::setReferenceLine(std::optional<qint64> seconds, QString label)
{
    m_reference = seconds;
    m_referenceLabel = std::move(label);
    update();
}

QSize BarChart::minimumSizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(line * 16, line * 8);
}

QSize BarChart::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(line * 40, line * 14);
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const int line = fm.height();

    qint64 top = m_reference.value_or(0);
    for (const Bar& bar : m_bars)
        top = std::max(top, bar.seconds);
    top = std::max<qint64>(top + top / 10, 3600);
    const qint64 step = gridStep(top);
    top = (top + step - 1) / step * step;

    // The plot area, leaving room for the hour labels on the left, the bar labels below and the
    // reference line's label above.
    const int axisWidth = fm.horizontalAdvance(gridText(top)) + line / 2;
    const QRect plot(axisWidth + line / 2, line + line / 2, width() - axisWidth - line, height() - 3 * line);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const auto yOf = [&](qint64 seconds) {
        return plot.bottom() - double(plot.height()) * double(seconds) / double(top);
    };

    p.setPen(palette().color(QPalette::Mid));
    for (qint64 s = 0; s <= top; s += step) {
        const double y = yOf(s);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const QRect labelRect(0, int(y) - line / 2, axisWidth, line);
        p.save();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(labelRect, Qt::AlignRight | Qt::AlignVCenter, gridText(s));
        p.restore();
    }

    if (!m_bars.isEmpty()) {
        const double slot = double(plot.width()) / double(m_bars.size());
        // Labels are thinned out when they would overlap.
        int widest = 0;
        for (const Bar& bar : m_bars)
            widest = std::max(widest, fm.horizontalAdvance(bar.label));
        const int labelEvery = std::max(1, int(std::ceil((widest + line / 2) / slot)));
        for (qsizetype i = 0; i < m_bars.size(); ++i) {
            const Bar& bar = m_bars[i];
            const double x = plot.left() + slot * double(i);
            const double gap = std::min(slot * 0.2, double(line) / 2);
            QColor colour = kBar;
            if (m_reference && bar.seconds > *m_reference)
                colour = kBarOver;
            if (bar.highlighted)
                colour = kBarToday;
            if (bar.seconds > 0) {
                const double y = yOf(bar.seconds);
                p.fillRect(QRectF(x + gap / 2, y, slot - gap, plot.bottom() - y), colour);
            }
            if (i % labelEvery == 0 || bar.highlighted) {
                p.setPen(palette().color(QPalette::WindowText));
                QFont font = p.font();
                font.setBold(bar.highlighted);
                p.setFont(font);
                p.drawText(QRectF(x + slot / 2 - widest, plot.bottom() + 2, 2.0 * widest, line),
                    Qt::AlignHCenter | Qt::AlignTop, bar.label);
            }
        }
        p.setFont(font());
    }

    if (m_reference) {
        const double y = yOf(*m_reference);
        p.setPen(QPen(kReference, std::max(2.0, line / 8.0), Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        // On a ground of its own, to stay readable where it crosses the bars.
        const QRectF labelRect = fm.boundingRect(m_referenceLabel)
                                     .translated(plot.right() - fm.horizontalAdvance(m_referenceLabel),
                                         int(y) - 2 - fm.descent())
                                     .adjusted(-2, 0, 2, 0);
        p.fillRect(labelRect, palette().color(QPalette::Window));
        p.setPen(kReference);
        p.drawText(labelRect, Qt::AlignCenter, m_referenceLabel);
    }
}

} // namespace chronolien
