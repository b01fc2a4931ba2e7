#pragma once

#include "platform/line.h"
#include "settings/line_choice.h"

#include <functional>
#include <memory>

namespace chronolien {

// The line the user chose, in place of the line of one kind: it builds the line of the stored
// choice and builds it anew whenever the choice changes, which the next tick then follows. A line
// left behind is neither hung up nor counted any more: the choice says which line is the user's.
class ChosenLine final : public Line {
public:
    using Factory = std::function<std::unique_ptr<Line>(const LineChoice&)>;

    // choice: the setting, read on every call; makeLine builds the line of a choice.
    ChosenLine(const LineChoice& choice, Factory makeLine);
    ~ChosenLine() override;

    // Builds the line of the current choice now rather than at the first tick: a NetworkManager
    // line then knows the connection's state by the time the tick asks.
    void followChoice();

    State state() override;
    void dial() override;
    void hangUp() override;
    std::optional<Traffic> traffic() override;

private:
    Line& current();

    const LineChoice& m_choice;
    Factory m_makeLine;
    LineChoice m_built;
    std::unique_ptr<Line> m_line;
};

} // namespace chronolien
