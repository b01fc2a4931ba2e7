#include "config_dialog/section_tree_view.h"

#include "config_dialog/section_tree.h"
#include "config_dialog/tree_images.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace chronolien {

SectionTreeView::SectionTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("rubriques"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(kTreeImageSize, kTreeImageSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this, &SectionTreeView::onCurrentChanged);
}

void SectionTreeView::fill(const QList<SectionEntry>& entries)
{
    m_quiet = true;
    clear();
    for (const SectionEntry& entry : entries) {
        QTreeWidgetItem* item = nullptr;
        if (entry.parentKey.isEmpty()) {
            item = new QTreeWidgetItem(this);
            item->setData(0, KeyRole, entry.key);
        } else {
            QTreeWidgetItem* parent = sectionItem(entry.parentKey);
            if (!parent)
                continue;
            item = new QTreeWidgetItem(parent);
        }
        item->setText(0, entry.text);
        item->setIcon(0, treeIcon(entry.image, entry.selectedImage));
        item->setData(0, ImageRole, entry.image);
        item->setData(0, SelectedImageRole, entry.selectedImage);
    }
    setCurrentItem(nullptr);
    m_quiet = false;
}

QTreeWidgetItem* SectionTreeView::sectionItem(const QString& key) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->data(0, KeyRole).toString() == key)
            return topLevelItem(i);
    }
    return nullptr;
}

void SectionTreeView::selectInCode(QTreeWidgetItem* item)
{
    m_quiet = true;
    setCurrentItem(item);
    m_quiet = false;
}

void SectionTreeView::mousePressEvent(QMouseEvent* event)
{
    // The press may move the current entry; the entry is chosen once, here, and a press on the
    // entry already current chooses it again.
    m_quiet = true;
    QTreeWidget::mousePressEvent(event);
    m_quiet = false;
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && item && item == currentItem())
        Q_EMIT entryChosen(item);
}

void SectionTreeView::onCurrentChanged(QTreeWidgetItem* current)
{
    if (!m_quiet && current)
        Q_EMIT entryChosen(current);
}

} // namespace chronolien
