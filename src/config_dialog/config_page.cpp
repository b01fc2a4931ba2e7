#include "config_dialog/config_page.h"

#include "config_dialog/section_tree.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

ConfigPage::ConfigPage(int frame, QWidget* parent)
    : QGroupBox(frameCaption(frame), parent)
    , m_frame(frame)
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("fl%1").arg(frame));
    m_layout->setAlignment(Qt::AlignTop);
    setVisible(false);
}

QLabel* ConfigPage::addText(const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    m_layout->addWidget(label);
    return label;
}

QPushButton* ConfigPage::addValidateButton(const QString& name)
{
    auto* button = new QPushButton(QStringLiteral("Valider"), this);
    button->setObjectName(name);
    button->setToolTip(QStringLiteral("Vos changements ne prendront effet que si vous les validez."));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    m_layout->addStretch();
    m_layout->addLayout(row);
    return button;
}

} // namespace chronolien

namespace chronolien {

TextPage::TextPage(int frame, const QString& text, QWidget* parent)
    : ConfigPage(frame, parent)
{
    addText(text);
}

} // namespace chronolien
