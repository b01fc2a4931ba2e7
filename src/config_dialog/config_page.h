#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace chronolien {

struct ConfigDialogContext;

// One of the stacked pages fl0, fl1… of the configuration dialog: a frame with its explaining
// texts and its controls. The dialog names the frame and gives its caption from the page list; a
// page loads itself from memory and shows itself, and a page with a "Valider" button stores its own
// keys only.
class ConfigPage : public QGroupBox {
    Q_OBJECT
public:
    explicit ConfigPage(QWidget* parent = nullptr);

    // Fills the page from memory and shows it. A page shared by several entries of the tree (the
    // mailbox page) is told the entry's number; the others have one entry and ignore it.
    virtual void load(int number) = 0;
    // What the page's "Valider" stores.
    virtual void store() { }

    // The page's "Valider", or none on a page that only explains or holds a section switch.
    QPushButton* validateButton() const { return m_validate; }

Q_SIGNALS:
    // The page's section switch was clicked: the tree gains or loses the section's entries and the
    // section's page comes back.
    void sectionSwitched();

protected:
    QVBoxLayout* pageLayout() const { return m_layout; }
    // A fixed, word-wrapped text of the page.
    QLabel* addText(const QString& text);
    // The page's "Valider" button, at the bottom right of the frame; it runs store().
    QPushButton* addValidateButton(const QString& name);

private:
    QVBoxLayout* m_layout;
    QPushButton* m_validate = nullptr;
};

// A page that only explains its section: "APPARENCE" and "EVENEMENTS".
class TextPage : public ConfigPage {
    Q_OBJECT
public:
    TextPage(ConfigDialogContext& context, const QString& text, QWidget* parent = nullptr);
    void load(int) override { setVisible(true); }
};

// A box counts as ticked only in its plain ticked state, never in the third, greyed one.
bool plainlyTicked(const QCheckBox* box);

} // namespace chronolien
