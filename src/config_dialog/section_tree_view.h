#pragma once

#include <QTreeWidget>

namespace chronolien {

struct PageEntry;

// rubriques, the tree of sections. Each item carries its entry's identifier. A click on an entry,
// or moving to it with the keyboard, chooses it; selecting an entry in code chooses nothing.
class SectionTreeView : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int IdRole = Qt::UserRole;

    explicit SectionTreeView(QWidget* parent = nullptr);

    // Empties the tree and adds the entries in order, each child under its section's root.
    void fill(const QList<PageEntry>& entries);
    // The item of the entry with this identifier, or none.
    QTreeWidgetItem* item(const QString& id);
    // Makes the entry current and selected without choosing it.
    void selectInCode(QTreeWidgetItem* item);

    // As wide as the widest entry of every page, shown now or not, so that no caption is cut at
    // any font and the tree keeps its width when a section switch adds or removes entries.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void entryChosen(const QString& id);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void onCurrentChanged(QTreeWidgetItem* current);
    int neededWidth() const;

    bool m_quiet = false;
};

} // namespace chronolien
