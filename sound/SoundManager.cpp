#include "sound/SoundManager.h"

#include <cstddef>

namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < SoundManager::kSlotCount; }

}  // namespace

SoundManager& SoundManager::GetInstance() {
    static SoundManager instance;
    return instance;
}

void SoundManager::Play(int slot, long volume, bool loop) {
    if (!ValidSlot(slot)) return;
    Request& r = requests[static_cast<std::size_t>(slot)];
    ++r.plays;
    r.volume = volume;
    r.looping = loop;
}

void SoundManager::Stop(int slot) {
    if (ValidSlot(slot)) ++requests[static_cast<std::size_t>(slot)].stops;
}

const SoundManager::Request& SoundManager::Requested(int slot) const {
    static const Request none;
    return ValidSlot(slot) ? requests[static_cast<std::size_t>(slot)] : none;
}

void SoundManager::ClearRequests() { requests.fill(Request{}); }
