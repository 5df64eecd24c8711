#include "sound/SoundManager.h"

#include <algorithm>
#include <cstddef>

#include "sound/Music.h"
#include "sound/WaveFile.h"

namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < SoundManager::kSlotCount; }

size_t Index(int slot) { return static_cast<size_t>(slot); }

}  // namespace

SoundManager& SoundManager::GetInstance() {
    static SoundManager instance;
    return instance;
}

SoundManager::~SoundManager() { Release(); }

void SoundManager::Init() { device.Open(); }

void SoundManager::Release() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (Slot& slot : slots) slot = Slot{};
    }
    device.Close();
}

bool SoundManager::LoadWave(int slot, const std::string& fileName) {
    if (!ValidSlot(slot)) return false;
    Slot filled;
    WaveFile wave;
    if (wave.Open(fileName)) {
        std::vector<uint8_t> data(wave.GetSize());
        if (wave.Read(data.data(), wave.GetSize()) == wave.GetSize()) {
            const WAVEFORMATEX& format = *wave.GetFormat();
            const uint64_t frames = wave.GetSize() / format.nBlockAlign;
            filled.loaded = frames > 0;
            filled.lengthMs = static_cast<uint32_t>(std::max<uint64_t>(1, frames * 1000 / format.nSamplesPerSec));
            if (filled.loaded) filled.buffer = SoundBuffer::Create(format, wave.GetExtraFormat(), data.data(), data.size());
        }
    }
    std::lock_guard<std::mutex> lock(mutex);
    // Loading again overwrites the slot; the sound it held stops with it.
    slots[Index(slot)] = std::move(filled);
    return slots[Index(slot)].loaded;
}

void SoundManager::LoadSound(int index, const std::string& fileName) { LoadWave(index, fileName); }

bool SoundManager::PlayingNow(const Slot& slot) const {
    if (!slot.playing) return false;
    return slot.looping || timeGetTime() - slot.startMs < slot.lengthMs;
}

void SoundManager::Play(int slot, long volume, bool loop) {
    if (!ValidSlot(slot)) return;
    Request& r = requests[Index(slot)];
    ++r.plays;
    r.volume = volume;
    r.looping = loop;

    std::lock_guard<std::mutex> lock(mutex);
    Slot& s = slots[Index(slot)];
    if (!s.loaded) return;
    const uint32_t now = timeGetTime();
    const bool wasPlaying = PlayingNow(s);
    if (!wasPlaying) {
        s.startMs = now;
    } else if (s.looping && !loop) {
        // A looping sound asked to play once finishes the pass it is in.
        s.startMs = now - (now - s.startMs) % s.lengthMs;
    }
    s.playing = true;
    s.looping = loop;
    s.volume = volume;
    if (s.buffer && !silent) {
        // The device follows the record: a sound the game counts as ended starts afresh even if the
        // device is still finishing it.
        if (!wasPlaying) s.buffer->Stop();
        s.buffer->SetVolume(DeviceVolume(slot, volume));
        if (!paused || IsMusicSlot(slot)) s.buffer->Play(loop);
    }
}

void SoundManager::Stop(int slot) {
    if (!ValidSlot(slot)) return;
    ++requests[Index(slot)].stops;
    std::lock_guard<std::mutex> lock(mutex);
    Slot& s = slots[Index(slot)];
    s.playing = false;
    if (s.buffer && !silent) s.buffer->Stop();
}

SoundManager::Timings SoundManager::SaveTimings() const {
    std::lock_guard<std::mutex> lock(mutex);
    Timings out;
    for (int i = 0; i < kSlotCount; ++i) {
        const Slot& s = slots[Index(i)];
        out[Index(i)] = Timing{s.playing, s.looping, s.startMs, s.volume};
    }
    return out;
}

void SoundManager::RestoreTimings(const Timings& timings) {
    std::lock_guard<std::mutex> lock(mutex);
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& s = slots[Index(i)];
        const Timing& t = timings[Index(i)];
        s.playing = t.playing;
        s.looping = t.looping;
        s.startMs = t.startMs;
        s.volume = t.volume;
    }
}

void SoundManager::FollowRecords() {
    std::lock_guard<std::mutex> lock(mutex);
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& s = slots[Index(i)];
        if (!s.buffer) continue;
        if (PlayingNow(s) && s.looping && (!paused || IsMusicSlot(i))) {
            s.buffer->SetVolume(DeviceVolume(i, s.volume));
            s.buffer->Play(true);
        } else {
            s.buffer->Stop();
        }
    }
}

bool SoundManager::IsLoaded(int slot) const {
    std::lock_guard<std::mutex> lock(mutex);
    return ValidSlot(slot) && slots[Index(slot)].loaded;
}

bool SoundManager::IsPlaying(int slot) const {
    std::lock_guard<std::mutex> lock(mutex);
    return ValidSlot(slot) && PlayingNow(slots[Index(slot)]);
}

uint32_t SoundManager::GetLengthMs(int slot) const {
    std::lock_guard<std::mutex> lock(mutex);
    return ValidSlot(slot) ? slots[Index(slot)].lengthMs : 0;
}

std::vector<SoundManager::Playing> SoundManager::GetPlaying() const {
    std::vector<Playing> playing;
    GetPlaying(playing);
    return playing;
}

void SoundManager::GetPlaying(std::vector<Playing>& out) const {
    std::lock_guard<std::mutex> lock(mutex);
    out.clear();
    for (int i = 0; i < kSlotCount; ++i) {
        const Slot& s = slots[Index(i)];
        if (PlayingNow(s)) out.push_back(Playing{i, s.looping});
    }
}

const SoundBuffer* SoundManager::GetBuffer(int slot) const {
    std::lock_guard<std::mutex> lock(mutex);
    return ValidSlot(slot) ? slots[Index(slot)].buffer.get() : nullptr;
}

const SoundManager::Request& SoundManager::Requested(int slot) const {
    static const Request none;
    return ValidSlot(slot) ? requests[Index(slot)] : none;
}

void SoundManager::ClearRequests() { requests.fill(Request{}); }
