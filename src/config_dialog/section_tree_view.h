#pragma once

#include <QTreeWidget>

namespace chronolien {

struct SectionEntry;

// rubriques, the tree of sections. A click on an entry, or moving to it with the keyboard, chooses
// it; selecting an entry in code chooses nothing.
class SectionTreeView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;
    static constexpr int SelectedImageRole = Qt::UserRole + 2;

    explicit SectionTreeView(QWidget* parent = nullptr);

    // Empties the tree and adds the entries in order, each child under its section's root.
    void fill(const QList<SectionEntry>& entries);
    // The root entry with this key, or none.
    QTreeWidgetItem* sectionItem(const QString& key) const;
    // Makes the entry current and selected without choosing it.
    void selectInCode(QTreeWidgetItem* item);

Q_SIGNALS:
    void entryChosen(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void onCurrentChanged(QTreeWidgetItem* current);

    bool m_quiet = false;
};

} // namespace chronolien
