#pragma once
// The clock behind timeGetTime and Sleep. The game runs on the real clock; the headless runner installs
// a simulated one so that its runs are deterministic.
#include <atomic>
#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t NowMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // The time the frame loop paces itself by; a clock that holds one value through a frame for the
    // game's logic still paces by the time that passes.
    virtual uint32_t PaceMs() { return NowMs(); }
};

// Time advances only when told to; sleeping returns at once.
class SimulatedClock : public Clock {
public:
    uint32_t NowMs() override { return now.load(); }
    void SleepMs(uint32_t) override {}
    void Advance(uint32_t ms) { now += ms; }

private:
    std::atomic<uint32_t> now{0};
};

// Installs a clock (null restores the real one). The clock must outlive its use.
void SetClock(Clock* clock);
Clock& GetClock();

}  // namespace platform
