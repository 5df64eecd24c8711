#include "tools/sound/Effects.h"

#include <cmath>
#include <functional>

#include "tools/sound/Synth.h"

namespace {

Wave Render(float seconds, const std::function<float(float)>& sample) {
    Wave wave;
    const size_t frames = static_cast<size_t>(seconds * kSampleRate);
    wave.samples.resize(frames);
    for (size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        wave.samples[i] = sample(t) * Tail(t, seconds, 0.01f);
    }
    return wave;
}

// A struck glassy bell: a few inharmonic partials with faster decay higher up.
float Bell(float t, float hz, float decay) {
    static const float kRatios[4] = {1.0f, 2.76f, 5.4f, 8.93f};
    static const float kLevels[4] = {1.0f, 0.5f, 0.25f, 0.12f};
    float s = 0.0f;
    for (int k = 0; k < 4; ++k) s += kLevels[k] * std::sin(2 * kPi * hz * kRatios[k] * t) * Envelope(t, 0.002f, decay / (1 + k));
    return s;
}

// Title start: a rising chime, E6 B6 E7, each struck 70 ms after the last.
Wave TitleStart() {
    return Render(1.2f, [](float t) {
        return Bell(t, 1318.5f, 0.5f) + Bell(t - 0.07f, 1975.5f, 0.45f) + 0.8f * Bell(t - 0.14f, 2637.0f, 0.4f);
    });
}

// Footstep: a soft crunch of packed snow, a muffled thump under a short burst of grainy noise.
Wave Footstep() {
    Noise noise(11);
    BandPass crunch(2400.0f, 0.9f);
    LowPass thump(180.0f);
    return Render(0.16f, [&](float t) {
        const float grain = noise.Next();
        const float gate = grain > 0.2f ? 1.0f : 0.35f;  // uneven grains make the crunch
        return 0.9f * crunch.Next(grain * gate) * Envelope(t, 0.004f, 0.05f) +
               2.5f * thump.Next(noise.Next()) * Envelope(t, 0.002f, 0.03f);
    });
}

// Slide: a smooth icy hiss that swells and settles, sweeping down a little.
Wave Slide() {
    Noise noise(23);
    BandPass hiss(5200.0f, 1.6f);
    return Render(0.4f, [&](float t) {
        hiss.Set(5200.0f - 2400.0f * t, 1.6f);
        const float swell = std::sin(kPi * t / 0.4f);
        return hiss.Next(noise.Next()) * swell;
    });
}

// Shot impact: a sharp crack, then tinkling ice.
Wave ShotImpact() {
    Noise noise(37);
    BandPass crack(3200.0f, 1.2f);
    return Render(0.45f, [&](float t) {
        return 1.4f * crack.Next(noise.Next()) * Envelope(t, 0.001f, 0.018f) + 0.35f * Bell(t - 0.01f, 2093.0f, 0.12f) +
               0.25f * Bell(t - 0.045f, 3136.0f, 0.09f);
    });
}

// Landing: a dull thud with a puff of snow.
Wave Landing() {
    Noise noise(41);
    LowPass puff(900.0f);
    return Render(0.3f, [&](float t) {
        const float pitch = 90.0f - 40.0f * t;
        return std::sin(2 * kPi * pitch * t) * Envelope(t, 0.003f, 0.07f) + 0.6f * puff.Next(noise.Next()) * Envelope(t, 0.002f, 0.05f);
    });
}

// Door moving: heavy stone grinding on stone, a low rumble with a slow wobble.
Wave DoorMove() {
    Noise noise(53);
    LowPass rumble(220.0f), grit(1400.0f);
    return Render(0.5f, [&](float t) {
        const float wobble = 0.75f + 0.25f * std::sin(2 * kPi * 7.0f * t);
        const float body = 3.0f * rumble.Next(noise.Next()) + 0.35f * grit.Next(noise.Next());
        return body * wobble * std::min(1.0f, t / 0.03f);
    });
}

// Door stopping: a heavy, final thunk.
Wave DoorStop() {
    Noise noise(61);
    LowPass knock(600.0f);
    return Render(0.5f, [&](float t) {
        return std::sin(2 * kPi * 55.0f * t) * Envelope(t, 0.002f, 0.12f) +
               0.5f * std::sin(2 * kPi * 110.0f * t) * Envelope(t, 0.002f, 0.06f) +
               1.5f * knock.Next(noise.Next()) * Envelope(t, 0.001f, 0.02f);
    });
}

// Chest opening, first sound: the latch clicks and the lid creaks up.
Wave ChestOpen() {
    Noise noise(71);
    BandPass click(2500.0f, 3.0f), creak(700.0f, 8.0f);
    return Render(0.45f, [&](float t) {
        const float latch = click.Next(noise.Next()) * Envelope(t, 0.0005f, 0.01f) * 3.0f;
        // The creak: a rough saw whose pitch bends upward as the lid rises.
        const float hz = 180.0f + 120.0f * t;
        const float saw = 2.0f * std::fmod(hz * t, 1.0f) - 1.0f;
        const float grind = creak.Next(saw * (0.7f + 0.3f * noise.Next())) * std::sin(kPi * std::min(1.0f, (t - 0.05f) / 0.4f));
        return latch + (t > 0.05f ? 0.8f * grind : 0.0f);
    });
}

// Chest opening, second sound: a sparkle of treasure, a quick arpeggio of bells.
Wave ChestSparkle() {
    static const float kNotes[5] = {1568.0f, 1975.5f, 2349.3f, 2637.0f, 3136.0f};  // G6 B6 D7 E7 G7
    return Render(1.0f, [](float t) {
        float s = 0.0f;
        for (int k = 0; k < 5; ++k) s += (1.0f - 0.1f * k) * Bell(t - 0.06f * k, kNotes[k], 0.3f);
        return s;
    });
}

// Switch: a mechanical click-clack and a short confirming tone.
Wave Switch() {
    Noise noise(83);
    BandPass click(3000.0f, 2.0f);
    return Render(0.3f, [&](float t) {
        const float clicks = click.Next(noise.Next()) * (Envelope(t, 0.0005f, 0.006f) + 0.7f * Envelope(t - 0.05f, 0.0005f, 0.006f));
        const float tone = 0.35f * std::sin(2 * kPi * 1046.5f * t) * Envelope(t - 0.05f, 0.003f, 0.07f);
        return 3.0f * clicks + tone;
    });
}

// Stone statue: a heavy rolling rumble with the knock of its wheel turning.
Wave StoneStatue() {
    Noise noise(97);
    LowPass rumble(160.0f);
    return Render(0.6f, [&](float t) {
        const float knock = std::sin(2 * kPi * 70.0f * t) * Envelope(std::fmod(t, 0.3f), 0.003f, 0.05f);
        return 3.0f * rumble.Next(noise.Next()) * std::min(1.0f, t / 0.04f) + 0.6f * knock;
    });
}

// Ice box pushed: a short scrape of ice over stone.
Wave BoxPush() {
    Noise noise(101);
    BandPass scrape(1800.0f, 1.1f);
    LowPass body(300.0f);
    return Render(0.35f, [&](float t) {
        const float swell = std::sin(kPi * t / 0.35f);
        return (scrape.Next(noise.Next()) + 1.5f * body.Next(noise.Next())) * swell * (0.8f + 0.2f * std::sin(2 * kPi * 23.0f * t));
    });
}

// Ice box bursting: a crash of breaking ice and a shower of shards.
Wave BoxBurst() {
    Noise noise(113), shardNoise(127);
    BandPass crash(2600.0f, 0.7f);
    LowPass boom(250.0f);
    // Shards: bells at scattered pitches and times, always the same scatter.
    float shardHz[12], shardAt[12];
    for (int k = 0; k < 12; ++k) {
        shardHz[k] = 2200.0f + 2600.0f * (0.5f + 0.5f * shardNoise.Next());
        shardAt[k] = 0.02f + 0.35f * (0.5f + 0.5f * shardNoise.Next());
    }
    return Render(0.9f, [&](float t) {
        float s = 1.2f * crash.Next(noise.Next()) * Envelope(t, 0.001f, 0.08f) + 2.0f * boom.Next(noise.Next()) * Envelope(t, 0.002f, 0.06f);
        for (int k = 0; k < 12; ++k) s += 0.12f * Bell(t - shardAt[k], shardHz[k], 0.08f);
        return s;
    });
}

// Item taken: a bright two-note rising jingle.
Wave ItemTaken() {
    return Render(0.8f, [](float t) {
        auto voice = [](float u, float hz) {
            return (std::sin(2 * kPi * hz * u) + 0.3f * std::sin(2 * kPi * 2 * hz * u) + 0.15f * std::sin(2 * kPi * 3 * hz * u)) *
                   Envelope(u, 0.004f, 0.22f);
        };
        return voice(t, 1174.7f) + voice(t - 0.1f, 1568.0f) + 0.6f * voice(t - 0.2f, 2349.3f);
    });
}

// Cold gun firing: a cold zap, a falling frequency-modulated tone over frosty hiss.
Wave GunFire() {
    Noise noise(131);
    BandPass frost(6000.0f, 1.5f);
    float phase = 0.0f;
    return Render(0.25f, [&, phase](float t) mutable {
        const float hz = 1800.0f * std::exp(-t * 9.0f) + 300.0f;
        phase += 2 * kPi * hz / kSampleRate;
        const float tone = std::sin(phase + 2.0f * std::sin(phase * 1.5f)) * Envelope(t, 0.002f, 0.07f);
        return tone + 0.5f * frost.Next(noise.Next()) * Envelope(t, 0.001f, 0.05f);
    });
}

}  // namespace

const std::vector<Effect>& Effects() {
    static const std::vector<Effect> kEffects = {
        {"data/sound/se/TitleStart.wav", -1.0f, TitleStart},
        {"data/sound/se/Footstep.wav", -1.0f, Footstep},
        {"data/sound/se/Slide.wav", -5.0f, Slide},
        {"data/sound/se/ShotImpact.wav", -2.0f, ShotImpact},
        {"data/sound/se/Landing.wav", -2.0f, Landing},
        {"data/sound/se/DoorMove.wav", -4.0f, DoorMove},
        {"data/sound/se/DoorStop.wav", -1.0f, DoorStop},
        {"data/sound/se/ChestSparkle.wav", -2.0f, ChestSparkle},
        {"data/sound/se/Switch.wav", -2.0f, Switch},
        {"data/sound/se/StoneStatue.wav", -3.0f, StoneStatue},
        {"data/sound/se/BoxPush.wav", -3.0f, BoxPush},
        {"data/sound/se/BoxBurst.wav", -1.0f, BoxBurst},
        {"data/sound/se/ItemTaken.wav", -2.0f, ItemTaken},
        {"data/sound/se/ChestOpen.wav", -3.0f, ChestOpen},
        {"data/sound/se/GunFire.wav", -4.0f, GunFire},
    };
    return kEffects;
}
