#pragma once
// The clock the game's logic reads while the frame loop journals: it holds one value through a frame
// (what the journal keeps for that frame), taken at the frame's start from the clock under it, less
// the time a rewind took back, or set from a journal being played. Sleeping and the loop's pacing go
// to the clock under it.
#include <atomic>

#include "platform/sys/Clock.h"

class LogicClock : public platform::Clock {
public:
    // Holds 0 until the first frame sets a value.
    explicit LogicClock(platform::Clock& inner) : inner(inner) {}

    uint32_t NowMs() override { return held.load(); }
    void SleepMs(uint32_t ms) override { inner.SleepMs(ms); }
    uint32_t PaceMs() override { return inner.PaceMs(); }

    // The frame's value, from the time under it at the frame's start (the loop's pacing reads it).
    void Latch(uint32_t innerNow) { held = innerNow - offset; }
    // A value of a journal.
    void Hold(uint32_t ms) { held = ms; }
    // Holds ms now, at innerNow, and later frames go on from it as the time under it passes.
    void Resume(uint32_t ms, uint32_t innerNow) {
        offset = innerNow - ms;
        held = ms;
    }
    platform::Clock& Inner() { return inner; }

private:
    platform::Clock& inner;
    uint32_t offset = 0;
    std::atomic<uint32_t> held{0};
};
