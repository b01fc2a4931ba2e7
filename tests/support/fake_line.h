#pragma once

#include "platform/line.h"

namespace chronolien::test {

// A line the test scripts: its state and counters, and what was asked of it.
class FakeLine final : public Line {
public:
    State state() override { return lineState; }
    void dial() override { ++dials; }
    void hangUp() override { ++hangUps; }
    std::optional<Traffic> traffic() override { return counters; }

    void setUp(bool up) { lineState = up ? State::Up : State::Down; }

    State lineState = State::Down;
    std::optional<Traffic> counters;
    int dials = 0;
    int hangUps = 0;
};

} // namespace chronolien::test
