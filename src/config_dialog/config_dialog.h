#pragma once

#include <QHash>
#include <QWidget>

namespace chronolien {

class ConfigPage;
class SectionTreeView;
struct ConfigDialogContext;

// fl_config, "Chronolien - Configuration": the tree of sections on the left, one page at a time on
// the right, both made from the page list. Pages store their own keys when validated; closing the
// dialog writes nothing. By keyboard, Enter validates the page shown (or presses the focused
// button) and Escape closes the dialog.
class ConfigDialog : public QWidget {
    Q_OBJECT
public:
    explicit ConfigDialog(ConfigDialogContext& context, QWidget* parent = nullptr);
    ~ConfigDialog() override;

    // Shows the page of an entry, loaded from memory; an unknown entry shows none.
    void showEntry(const QString& id);
    // Rebuilds the tree, selects a section's root in code (no page follows) and loads the section's
    // page.
    void showSection(const QString& id);

    SectionTreeView* rubriques() const { return m_rubriques; }
    // The page showing now, or none.
    ConfigPage* visiblePage() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildPages();
    // Hides every page and fills the tree again from forfait, sons and courrier.
    void buildSectionTree();
    void hideAllPages();
    void keepRoomForWrappedTexts();
    void validateShownPage();

    ConfigDialogContext& m_context;
    SectionTreeView* m_rubriques;
    QList<ConfigPage*> m_pages;
    QHash<QString, ConfigPage*> m_pageOfEntry;
};

} // namespace chronolien
