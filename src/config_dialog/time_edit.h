#pragma once

#include "config_dialog/time_field_rules.h"

#include <QLineEdit>
#include <QWidget>

class QToolButton;

namespace chronolien {

// A time field of the plan pages: a text that never stays anything but a number (it falls back to
// the field's replacement at once) and that is brought within its bounds when the focus leaves it.
class TimeEdit : public QLineEdit {
    Q_OBJECT
public:
    TimeEdit(const TimeFieldRule& rule, const QString& name, QWidget* parent = nullptr);

    const TimeFieldRule& rule() const { return m_rule; }
    // What leaving the field does; the pages also run it before they store, so that a store never
    // sees a text out of its bounds.
    void applyLeaveRule();
    // One step of the up-down arrows, kept within the bounds.
    void stepBy(int steps);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyChangeRule(const QString& text);

    TimeFieldRule m_rule;
};

// The up-down arrows beside a time field: each click moves the field's text by one.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    UpDownArrows(TimeEdit& field, const QString& name, QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace chronolien
