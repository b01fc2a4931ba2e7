#include "connection/chosen_line.h"

namespace chronolien {

ChosenLine::ChosenLine(const LineChoice& choice, Factory makeLine)
    : m_choice(choice)
    , m_makeLine(std::move(makeLine))
{
}

ChosenLine::~ChosenLine() = default;

void ChosenLine::followChoice()
{
    if (m_line && m_built == m_choice)
        return;
    // The old line ends before the new one starts, so that two lines never follow NetworkManager at once.
    m_line.reset();
    m_built = m_choice;
    m_line = m_makeLine(m_built);
}

Line& ChosenLine::current()
{
    followChoice();
    return *m_line;
}

Line::State ChosenLine::state()
{
    return current().state();
}

void ChosenLine::dial()
{
    current().dial();
}

void ChosenLine::hangUp()
{
    current().hangUp();
}

std::optional<Line::Traffic> ChosenLine::traffic()
{
    return current().traffic();
}

} // namespace chronolien
