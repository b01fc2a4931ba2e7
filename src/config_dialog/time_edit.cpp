#include "config_dialog/time_edit.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace chronolien {

TimeEdit::TimeEdit(const TimeFieldRule& rule, const QString& name, QWidget* parent)
    : QLineEdit(parent)
    , m_rule(rule)
{
    setObjectName(name);
    setMaxLength(rule.maxLength);
    setText(QString::fromUtf16(rule.replacement));
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    connect(this, &QLineEdit::textChanged, this, &TimeEdit::applyChangeRule);
}

void TimeEdit::applyChangeRule(const QString& text)
{
    const QString wanted = textAfterChange(m_rule, text);
    if (wanted != text)
        setText(wanted);
}

void TimeEdit::applyLeaveRule()
{
    const QString wanted = textOnLeave(m_rule, text());
    if (wanted != text())
        setText(wanted);
}

void TimeEdit::stepBy(int steps)
{
    const double value = std::round(timeFieldValue(text())) + steps;
    setText(QString::number(qBound(double(m_rule.lowest), value, double(m_rule.highest))));
}

void TimeEdit::focusOutEvent(QFocusEvent* event)
{
    applyLeaveRule();
    QLineEdit::focusOutEvent(event);
}

UpDownArrows::UpDownArrows(TimeEdit& field, const QString& name, QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const int height = field.sizeHint().height() / 2;
    for (auto [button, arrow, step] :
        { std::tuple { m_up, Qt::UpArrow, 1 }, std::tuple { m_down, Qt::DownArrow, -1 } }) {
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(height + 6, height);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, &field, [&field, step] { field.stepBy(step); });
    }
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
}

} // namespace chronolien
