#include "sim/LoadLockstep.h"

#include <algorithm>

void LoadLockstep::LoadStarted() {
    std::lock_guard lock(mutex);
    listRead = false;
    total = allowed = finished = 0;
}

void LoadLockstep::ListRead(uint32_t lines) {
    std::lock_guard lock(mutex);
    listRead = true;
    total = lines;
    changed.notify_all();
}

void LoadLockstep::BeforeLine() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return finished < allowed; });
}

void LoadLockstep::AfterLine() {
    std::lock_guard lock(mutex);
    ++finished;
    changed.notify_all();
}

void LoadLockstep::BeforeFrame(int frame) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return listRead; });
    const uint32_t step = std::max<uint32_t>(1, (total + 9) / 10);
    allowed = std::min<uint64_t>(total, static_cast<uint64_t>(frame) * step);
    changed.notify_all();
    changed.wait(lock, [this] { return finished >= allowed; });
}

void LoadLockstep::BeforePresent() {
    if (onPresent) onPresent();
}
