#include "platform/sys/Clock.h"

#include <chrono>
#include <thread>

#include "platform/sys/Win32.h"

namespace platform {
namespace {

class RealClock : public Clock {
public:
    uint32_t NowMs() override {
        const auto elapsed = std::chrono::steady_clock::now() - start;
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

private:
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

RealClock& Real() {
    static RealClock clock;
    return clock;
}

std::atomic<Clock*> installed{nullptr};

}  // namespace

void SetClock(Clock* clock) { installed.store(clock); }

Clock& GetClock() {
    Clock* clock = installed.load();
    return clock ? *clock : Real();
}

}  // namespace platform

DWORD timeGetTime() { return platform::GetClock().NowMs(); }

// The steady clock already has millisecond resolution; nothing to raise.
UINT timeBeginPeriod(UINT) { return 0; }

void Sleep(DWORD milliseconds) { platform::GetClock().SleepMs(milliseconds); }
