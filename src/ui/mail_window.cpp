#include "ui/mail_window.h"

#include "ui/click_area.h"
#include "ui/layout_font.h"
#include "ui/twips.h"

#include <QLabel>
#include <QScrollBar>

namespace chronolien {

MailWindow::MailWindow()
    : SkinnedWindow(QStringLiteral("fl_mail"), QSize(2940, 1215), QSize(2895, 1215))
{
    const QFont lineFont
        = layoutFont({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") }, 9.75, QFont::SansSerif);
    for (int line = 0; line < LineCount; ++line) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lst_mail_%1").arg(line));
        label->setFont(lineFont);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
        label->setPalette(palette);
        label->setGeometry(twipsRect(390, 120 + 240 * line, 2175, 255));
        m_lines.at(line) = label;
    }
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("defil"));
    m_scroll->setGeometry(twipsRect(2520, 80, 200, 1060));
    m_scroll->hide();
    m_changeSide = new ClickArea(this, QStringLiteral("bt_changer"), QStringLiteral("Changer d'orientation"));
    m_changeSide->setGeometry(twipsRect(80, 480, 240, 240));

    connect(m_changeSide, &ClickArea::clicked, this, &MailWindow::changeSideRequested);
}

} // namespace chronolien
