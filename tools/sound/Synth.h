#pragma once
// Small building blocks for synthesised effects: a repeatable noise source, filters and envelopes.
#include <cmath>
#include <cstdint>

constexpr float kPi = 3.14159265f;

// The same numbers on every run (xorshift), uniform in -1 .. 1.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 1u) {}
    float Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }

private:
    uint32_t state;
};

// One-pole low-pass at `hz`.
class LowPass {
public:
    explicit LowPass(float hz) : a(1.0f - std::exp(-2.0f * kPi * hz / 44100.0f)) {}
    void SetCutoff(float hz) { a = 1.0f - std::exp(-2.0f * kPi * hz / 44100.0f); }
    float Next(float x) { return y += a * (x - y); }

private:
    float a;
    float y = 0.0f;
};

// Resonant band-pass (biquad, constant peak gain) around `hz` with quality `q`.
class BandPass {
public:
    BandPass(float hz, float q) { Set(hz, q); }
    void Set(float hz, float q) {
        const float w = 2.0f * kPi * hz / 44100.0f, alpha = std::sin(w) / (2.0f * q), a0 = 1.0f + alpha;
        b0 = alpha / a0;
        a1 = -2.0f * std::cos(w) / a0;
        a2 = (1.0f - alpha) / a0;
    }
    float Next(float x) {
        const float y = b0 * x - b0 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    float b0 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// Rises linearly over `attack` seconds, then decays exponentially with time constant `decay`.
inline float Envelope(float t, float attack, float decay) {
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// Fades the last `seconds` smoothly to zero so that no effect ends on a click.
inline float Tail(float t, float length, float seconds) {
    const float left = length - t;
    if (left >= seconds) return 1.0f;
    if (left <= 0.0f) return 0.0f;
    return 0.5f - 0.5f * std::cos(kPi * left / seconds);
}
