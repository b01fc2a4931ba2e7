#include "ui/mail_list_display.h"

#include "mail/mail_list_content.h"
#include "mail/mail_list_logic.h"
#include "ui/detail_window.h"
#include "ui/mail_window.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

namespace chronolien {

MailListDisplay::MailListDisplay(MailWindow& window)
    : m_window(window)
    , m_menu(std::make_unique<QMenu>())
    , m_detailWindow(std::make_unique<DetailWindow>())
{
    m_menu->setObjectName(QStringLiteral("menumail"));
    m_detail = m_menu->addAction(QStringLiteral("Détail"));
    m_detail->setObjectName(QStringLiteral("menu3detail"));
    m_delete = m_menu->addAction(QStringLiteral("Supprimer"));
    m_delete->setObjectName(QStringLiteral("menu3supr"));
    connect(m_detail, &QAction::triggered, this, &MailListDisplay::detailChosen);
    connect(m_delete, &QAction::triggered, this, &MailListDisplay::deleteChosen);
    connect(m_detailWindow.get(), &DetailWindow::deleteRequested, this, &MailListDisplay::deleteChosen);

    for (int line = 0; line < MailWindow::LineCount; ++line) {
        QLabel* label = m_window.line(line);
        // Captions come from the network: never read as markup.
        label->setTextFormat(Qt::PlainText);
        label->installEventFilter(this);
    }
    connect(m_window.scrollBar(), &QScrollBar::valueChanged, this, &MailListDisplay::scrolled);
}

MailListDisplay::~MailListDisplay() = default;

void MailListDisplay::connectTo(MailListLogic& logic)
{
    connect(this, &MailListDisplay::scrolled, this, [&logic](int value) { logic.scrollChanged(value); });
    connect(this, &MailListDisplay::lineDoubleClicked, this,
        [&logic](int line) { logic.lineDoubleClicked(line); });
    connect(this, &MailListDisplay::linePressed, this, [&logic](int line) { logic.linePressed(line); });
    connect(this, &MailListDisplay::detailChosen, this, [&logic] { logic.showMailDetail(); });
    connect(this, &MailListDisplay::deleteChosen, this, [&logic] { logic.deleteSelectedMail(); });
}

void MailListDisplay::showMailLines(const MailListContent& content)
{
    for (int line = 0; line < MailWindow::LineCount; ++line) {
        const MailLine& shown = content.lines.at(std::size_t(line));
        QLabel* label = m_window.line(line);
        label->setText(shown.caption);
        // A tooltip that looks like markup is shown as the text it is.
        label->setToolTip(Qt::mightBeRichText(shown.tooltip)
                ? QStringLiteral("<qt>") + shown.tooltip.toHtmlEscaped() + QStringLiteral("</qt>")
                : shown.tooltip);
    }
    QScrollBar* defil = m_window.scrollBar();
    // Setting the scroll bar from the list is no move of the user's.
    const QSignalBlocker blocker(defil);
    if (!content.scrollShown) {
        defil->hide();
        return;
    }
    defil->setRange(content.scrollMinimum, content.scrollMaximum);
    defil->setValue(content.scrollValue);
    defil->show();
}

void MailListDisplay::showMailDetail(const MailDetail& detail)
{
    m_detailWindow->showMailDetail(detail);
}

bool MailListDisplay::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    for (int line = 0; line < MailWindow::LineCount; ++line) {
        if (watched != m_window.line(line))
            continue;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonDblClick) {
            Q_EMIT lineDoubleClicked(line);
        } else {
            Q_EMIT linePressed(line);
            if (mouse->button() == Qt::RightButton)
                m_menu->popup(mouse->globalPosition().toPoint());
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace chronolien
