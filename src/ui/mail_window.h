#pragma once

#include "ui/skinned_window.h"

#include <array>

class QLabel;
class QScrollBar;

namespace chronolien {

class ClickArea;

// fl_mail: four lines of waiting mail with their scroll bar, to the right or the left of the
// floating window, with its "Changer d'orientation" button.
class MailWindow final : public SkinnedWindow {
    Q_OBJECT

public:
    static constexpr int LineCount = 4;

    MailWindow();

    // The lines lst_mail, 0 to 3 from top to bottom, and their scroll bar defil.
    QLabel* line(int number) const { return m_lines.at(number); }
    QScrollBar* scrollBar() const { return m_scroll; }

Q_SIGNALS:
    void changeSideRequested();

private:
    std::array<QLabel*, LineCount> m_lines {};
    QScrollBar* m_scroll;
    ClickArea* m_changeSide; // bt_changer
};

} // namespace chronolien
