#include "config_dialog/section_tree_view.h"

#include "config_dialog/page_list.h"
#include "config_dialog/tree_images.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

namespace chronolien {

SectionTreeView::SectionTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("rubriques"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(kTreeImageSize, kTreeImageSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    connect(this, &QTreeWidget::currentItemChanged, this, &SectionTreeView::onCurrentChanged);
}

void SectionTreeView::fill(const QList<PageEntry>& entries)
{
    m_quiet = true;
    clear();
    for (const PageEntry& entry : entries) {
        QTreeWidgetItem* parentItem = entry.parent.isEmpty() ? nullptr : item(entry.parent);
        if (!entry.parent.isEmpty() && !parentItem)
            continue;
        auto* added = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
        added->setText(0, entry.caption);
        added->setData(0, IdRole, entry.id);
        added->setIcon(0, parentItem ? treeIcon(entry.image, entry.image) : treeIcon(1, 2));
    }
    setCurrentItem(nullptr);
    m_quiet = false;
}

QTreeWidgetItem* SectionTreeView::item(const QString& id)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->data(0, IdRole).toString() == id)
            return *it;
    }
    return nullptr;
}

void SectionTreeView::selectInCode(QTreeWidgetItem* item)
{
    m_quiet = true;
    setCurrentItem(item);
    m_quiet = false;
}

int SectionTreeView::neededWidth() const
{
    // Measured as the item delegate measures an entry: picture, text and the style's margins.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.icon = treeIcon(1, 2);
    int widest = 0;
    for (const PageEntry& entry : pageList()) {
        option.text = entry.caption;
        const int depth = entry.parent.isEmpty() ? 0 : 1;
        const int width = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width()
            + indentation() * (depth + (rootIsDecorated() ? 1 : 0));
        widest = std::max(widest, width);
    }
    // Room for the scroll bar, which a large font brings.
    return widest + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
}

QSize SectionTreeView::sizeHint() const
{
    return { neededWidth(), QTreeWidget::sizeHint().height() };
}

QSize SectionTreeView::minimumSizeHint() const
{
    return { neededWidth(), QTreeWidget::minimumSizeHint().height() };
}

void SectionTreeView::changeEvent(QEvent* event)
{
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
}

void SectionTreeView::mousePressEvent(QMouseEvent* event)
{
    // The press may move the current entry; the entry is chosen once, here, and a press on the
    // entry already current chooses it again.
    m_quiet = true;
    QTreeWidget::mousePressEvent(event);
    m_quiet = false;
    QTreeWidgetItem* pressed = itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && pressed && pressed == currentItem())
        Q_EMIT entryChosen(pressed->data(0, IdRole).toString());
}

void SectionTreeView::onCurrentChanged(QTreeWidgetItem* current)
{
    if (!m_quiet && current)
        Q_EMIT entryChosen(current->data(0, IdRole).toString());
}

} // namespace chronolien
