#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace chronolien {

// One of the stacked pages fl0 to fl20 of the configuration dialog: a frame with its caption, its
// explaining texts and its controls. A page loads itself from memory and shows itself; a page with
// a "Valider" button stores its own keys only.
class ConfigPage : public QGroupBox {
    Q_OBJECT
public:
    ConfigPage(int frame, QWidget* parent = nullptr);

    int frame() const { return m_frame; }

protected:
    QVBoxLayout* pageLayout() const { return m_layout; }
    // A fixed, word-wrapped text of the page.
    QLabel* addText(const QString& text);
    // The page's "Valider" button, at the bottom right of the frame.
    QPushButton* addValidateButton(const QString& name);

private:
    int m_frame;
    QVBoxLayout* m_layout;
};

} // namespace chronolien

namespace chronolien {

// A page that only explains its section: "APPARENCE" and "EVENEMENTS".
class TextPage : public ConfigPage {
    Q_OBJECT
public:
    TextPage(int frame, const QString& text, QWidget* parent = nullptr);
    void load() { setVisible(true); }
};

} // namespace chronolien
