#pragma once

#include "support/fake_clock.h"
#include "support/fake_line.h"
#include "support/fake_process_starter.h"
#include "support/fake_sound_player.h"
#include "support/message_box_recorder.h"

namespace chronolien::test {

// One fake of every platform service.
struct Fakes {
    FakeClock clock;
    FakeLine line;
    FakeSoundPlayer sound;
    FakeProcessStarter processes;
    MessageBoxRecorder messages;
};

} // namespace chronolien::test
