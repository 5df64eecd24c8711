#pragma once
// The explorer's random numbers: one 32-bit generator whose draws are turned into ranges by plain
// arithmetic, so a seed plays the same on every standard library.
#include <cstdint>
#include <random>

class Random {
public:
    explicit Random(uint32_t seed) : engine(seed) {}
    // In [0, 1).
    float Unit() { return static_cast<float>(engine() >> 8) * (1.0f / 16777216.0f); }
    float Between(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    // In [lo, hi].
    int Int(int lo, int hi) { return lo + static_cast<int>(engine() % static_cast<uint32_t>(hi - lo + 1)); }
    bool Chance(float p) { return Unit() < p; }

private:
    std::mt19937 engine;
};
