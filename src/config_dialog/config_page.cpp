#include "config_dialog/config_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

ConfigPage::ConfigPage(QWidget* parent)
    : QGroupBox(parent)
    , m_layout(new QVBoxLayout)
{
    // The page's controls at the top, its "Valider" at the bottom; the room between them grows.
    auto* frame = new QVBoxLayout(this);
    frame->addLayout(m_layout);
    frame->addStretch();
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
    m_validate = new QPushButton(QStringLiteral("Valider"), this);
    m_validate->setObjectName(name);
    m_validate->setToolTip(QStringLiteral("Vos changements ne prendront effet que si vous les validez."));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_validate);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(m_validate, &QPushButton::clicked, this, [this] { store(); });
    return m_validate;
}

TextPage::TextPage(ConfigDialogContext&, const QString& text, QWidget* parent)
    : ConfigPage(parent)
{
    addText(text);
}

bool plainlyTicked(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked;
}

} // namespace chronolien
