#include "ui/counter_window.h"

#include "state/program_view.h"
#include "ui/click_area.h"
#include "ui/layout_font.h"
#include "ui/shape_widget.h"
#include "ui/twips.h"

#include <QLabel>

namespace chronolien {

namespace {

const QColor MonthColour(192, 255, 192);
const QColor MonthAlertColour(255, 0, 0);
// The label's own background, shown only in the alert look.
const QColor MonthAlertBackground(0, 0, 0);

QLabel* makeLabel(QWidget* parent, const QString& name, const QFont& font, QColor colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

CounterWindow::CounterWindow()
    : SkinnedWindow(QStringLiteral("fl_compteur"), QSize(1860, 885), QSize(1815, 855))
{
    setFont(layoutFont({ QStringLiteral("Georgia") }, 12, QFont::Serif));

    // Without Impact, a narrow face keeps the month text within its label.
    const QFont monthFont = layoutFont({ QStringLiteral("Impact"), QStringLiteral("Liberation Sans Narrow"),
                                           QStringLiteral("DejaVu Sans Condensed") },
        14.25, QFont::SansSerif);
    m_month = makeLabel(this, QStringLiteral("txt_cpt_mois"), monthFont, MonthColour);
    m_month->setGeometry(twipsRect(120, 90, 1320, 360));
    m_month->setText(QStringLiteral("- 00:00:00"));
    m_month->setToolTip(QStringLiteral("Temps passé sur Internet ce mois-ci"));
    m_session = makeLabel(this, QStringLiteral("txt_cpt_session"),
        layoutFont(
            { QStringLiteral("Courier New"), QStringLiteral("Liberation Mono") }, 11.25, QFont::Monospace),
        QColor(255, 255, 128));
    m_session->setGeometry(twipsRect(120, 540, 1320, 240));
    m_session->setToolTip(QStringLiteral("Temps de la session"));
    m_gaugeBar = new QWidget(this);
    m_gaugeBar->setObjectName(QStringLiteral("Image1"));
    m_gaugeBar->setGeometry(twipsRect(120, 400, 1335, 135));
    m_gaugeBar->setToolTip(
        QStringLiteral("Graphique de conso moyenne : gauche pas assez, centre OK, droite trop"));
    m_cursor = new ShapeWidget(this, QStringLiteral("curseur"), ShapeWidget::Rectangle, Qt::white);
    m_cursor->setGeometry(twipsRect(1240, 420, 195, 135));
    m_cursor->hide();
    m_close = new ClickArea(this, QStringLiteral("bt_fermer"), QStringLiteral("Fermer"));
    m_close->setGeometry(twipsRect(1480, 80, 240, 240));
    m_changeSide = new ClickArea(this, QStringLiteral("bt_changer"), QStringLiteral("Changer d'orientation"));
    m_changeSide->setGeometry(twipsRect(1480, 320, 240, 240));

    connect(m_close, &ClickArea::clicked, this, &CounterWindow::closeRequested);
    connect(m_changeSide, &ClickArea::clicked, this, &CounterWindow::changeSideRequested);
}

void CounterWindow::setCounterTexts(const QString& session, const QString& month)
{
    m_session->setText(session);
    m_month->setText(month);
}

void CounterWindow::setMonthAlertLook(bool alert)
{
    QPalette palette = m_month->palette();
    palette.setColor(QPalette::WindowText, alert ? MonthAlertColour : MonthColour);
    palette.setColor(QPalette::Window, MonthAlertBackground);
    m_month->setPalette(palette);
    m_month->setAutoFillBackground(alert);
}

void CounterWindow::setGauge(const GaugeView& gauge)
{
    // Refreshed every second: a cursor left where it is is neither hidden nor shown again, which
    // would repaint it each time.
    if (!gauge.visible) {
        m_cursor->hide();
        return;
    }
    m_cursor->move(twipsToPixels(qRound(gauge.leftTwips)), m_cursor->y());
    m_cursor->setColour(gauge.colour);
    m_cursor->show();
}

} // namespace chronolien
