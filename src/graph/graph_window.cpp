#include "graph/graph_window.h"

#include "graph/bar_chart.h"
#include "graph/graph_log.h"
#include "graph/graph_texts.h"
#include "history/usage_report.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QVBoxLayout>

namespace chronolien {

namespace {

QLabel* addLabel(QVBoxLayout* layout, const QString& objectName, const QString& text, bool heading = false)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (heading) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    layout->addWidget(label);
    return label;
}

QList<BarChart::Bar> dayBars(const UsageReport& report, const QDate& today)
{
    QList<BarChart::Bar> bars;
    for (qsizetype i = 0; i < report.days.size(); ++i) {
        const QDate day = report.current.first.addDays(i);
        bars.append({ QString::number(day.day()), report.days[i], day == today });
    }
    return bars;
}

// Each period is named after the month that holds most of its days.
QList<BarChart::Bar> periodBars(const UsageReport& report)
{
    static const QLocale french(QLocale::French, QLocale::France);
    QList<BarChart::Bar> bars;
    for (const UsagePeriod& period : report.previous) {
        const QDate middle = period.first.addDays(period.first.daysTo(period.last) / 2);
        bars.append({ french.toString(middle, QStringLiteral("MMM yy")), period.seconds, false });
    }
    return bars;
}

} // namespace

GraphWindow::GraphWindow(const UsageReport& report, const QDate& today, QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Chronolien - Graphique"));
    auto* layout = new QVBoxLayout(this);

    addLabel(layout, QStringLiteral("txt_periode"), periodText(report), true);
    addLabel(layout, QStringLiteral("txt_utilise"), usedText(report));
    if (report.hasPlan) {
        addLabel(layout, QStringLiteral("txt_reste"), leftText(report));
        addLabel(layout, QStringLiteral("txt_prevision"), forecastText(report));
    }

    if (!report.hasHistory) {
        layout->addSpacing(fontMetrics().height());
        addLabel(layout, QStringLiteral("txt_vide"), noHistoryText(), true);
        layout->addStretch();
        setMinimumWidth(fontMetrics().height() * 30);
        fitToScreen();
        return;
    }

    layout->addSpacing(fontMetrics().height() / 2);
    addLabel(layout, QStringLiteral("txt_jours"), QStringLiteral("Temps de connexion par jour"), true);
    auto* days = new BarChart;
    days->setObjectName(QStringLiteral("graph_jours"));
    days->setBars(dayBars(report, today));
    if (report.hasPlan && !report.days.isEmpty()) {
        const qint64 pace = report.allowance / report.days.size();
        days->setReferenceLine(pace, dailyPaceText(pace));
    }
    layout->addWidget(days, 3);

    addLabel(layout, QStringLiteral("txt_mois"), QStringLiteral("Les douze périodes précédentes"), true);
    auto* months = new BarChart;
    months->setObjectName(QStringLiteral("graph_mois"));
    months->setBars(periodBars(report));
    if (report.hasPlan)
        months->setReferenceLine(
            report.allowance, QStringLiteral("Forfait : ") + durationText(report.allowance));
    layout->addWidget(months, 2);

    fitToScreen();
}

// Its natural size, within the screen even with large text.
void GraphWindow::fitToScreen()
{
    QSize size = sizeHint();
    if (QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 0.9);
    resize(size);
}

void GraphWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The benchmark reads this line (QT_LOGGING_RULES="chronolien.graph.debug=true") to time the start.
void GraphWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        qCDebug(lcGraph) << "first paint";
    }
}

} // namespace chronolien
