#pragma once

#include "platform/clock.h"
#include "platform/line.h"
#include "platform/process_starter.h"
#include "platform/sound_player.h"
#include "support/message_box_recorder.h"

#include <QDate>
#include <QStringList>

namespace chronolien::test {

// A clock the test sets and moves. Passing midnight starts the seconds again at 0 and moves the date.
class FakeClock final : public Clock {
public:
    float secondsSinceMidnight() const override { return m_seconds; }
    QDate today() const override { return m_today; }

    void set(float seconds) { m_seconds = seconds; }
    void setToday(const QDate& date) { m_today = date; }
    void advance(float seconds)
    {
        m_seconds += seconds;
        while (m_seconds >= 86400.0f) {
            m_seconds -= 86400.0f;
            m_today = m_today.addDays(1);
        }
    }

private:
    float m_seconds = 36000.0f;
    QDate m_today { 2026, 12, 6 };
};

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

class FakeProcessStarter final : public ProcessStarter {
public:
    bool startDetached(const QString& program) override
    {
        started.append(program);
        return true;
    }
    void openUrl(const QString& pathOrUrl) override { opened.append(pathOrUrl); }
    QStringList started;
    QStringList opened;
};

class FakeSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& wavPath) override { played.append(wavPath); }
    QStringList played;
};

// One fake of every platform service.
struct Fakes {
    FakeClock clock;
    FakeLine line;
    FakeSoundPlayer sound;
    FakeProcessStarter processes;
    MessageBoxRecorder messages;
};

} // namespace chronolien::test
