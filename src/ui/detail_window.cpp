#include "ui/detail_window.h"

#include "mail/mail_list_content.h"
#include "ui/twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace chronolien {

namespace {

// Layout in twips.
constexpr int Width = 4800;
constexpr int Height = 2520;
constexpr int CaptionLeft = 120;
constexpr int ValueLeft = 840;
constexpr int ValueWidth = Width - ValueLeft - 120;
constexpr int LineHeight = 255;

} // namespace

DetailWindow::DetailWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("fl_detmail"));
    setFixedSize(twipsToPixels(Width), twipsToPixels(Height));
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 255, 0));
    setPalette(colours);

    QLabel* title = addLabel(QStringLiteral("titre"), QStringLiteral("Chronolien"), CaptionLeft, 90, 2400);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    addLabel(QStringLiteral("lbl_de"), QStringLiteral("De :"), CaptionLeft, 480, ValueLeft - CaptionLeft);
    addLabel(QStringLiteral("de"), {}, ValueLeft, 480, ValueWidth);
    addLabel(QStringLiteral("retour"), {}, ValueLeft, 480 + LineHeight, ValueWidth);
    addLabel(QStringLiteral("lbl_a"), QStringLiteral("A :"), CaptionLeft, 1080, ValueLeft - CaptionLeft);
    addLabel(QStringLiteral("a"), {}, ValueLeft, 1080, ValueWidth);
    addLabel(
        QStringLiteral("lbl_sujet"), QStringLiteral("Sujet :"), CaptionLeft, 1440, ValueLeft - CaptionLeft);
    addLabel(QStringLiteral("sujet"), {}, ValueLeft, 1440, ValueWidth);
    addLabel(QStringLiteral("date"), {}, CaptionLeft, 1800, Width - 2 * CaptionLeft);
    addLabel(QStringLiteral("taille"), {}, CaptionLeft, 2130, 1800);

    m_delete = new QPushButton(QStringLiteral("Supprimer"), this);
    m_delete->setObjectName(QStringLiteral("supr"));
    m_delete->setGeometry(twipsRect(Width - 2640, 2100, 1200, 330));
    m_ok = new QPushButton(QStringLiteral("Valider"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setGeometry(twipsRect(Width - 1320, 2100, 1200, 330));
    for (QPushButton* button : { m_delete, m_ok })
        button->setAutoDefault(false);

    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        close();
        Q_EMIT deleteRequested();
    });
}

QLabel* DetailWindow::addLabel(const QString& name, const QString& text, int left, int top, int width)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    // Headers come from the network: never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(twipsRect(left, top, width, LineHeight));
    // Presses on the labels drag the window as the background does.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel* DetailWindow::value(const char* name) const
{
    return findChild<QLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void DetailWindow::showMailDetail(const MailDetail& detail)
{
    value("a")->setText(detail.a);
    value("date")->setText(detail.date);
    value("de")->setText(detail.de);
    value("retour")->setText(detail.retour);
    value("sujet")->setText(detail.sujet);
    value("taille")->setText(detail.taille);
    show();
    raise();
}

void DetailWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(40, 48, 64));
    shade.setColorAt(1, QColor(12, 16, 26));
    painter.fillRect(rect(), shade);
    painter.setPen(QColor(0, 160, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void DetailWindow::mousePressEvent(QMouseEvent* event)
{
    m_pressPoint = event->position().toPoint();
    m_dragging = true;
}

void DetailWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    move(pos() + event->position().toPoint() - m_pressPoint);
}

void DetailWindow::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

} // namespace chronolien
