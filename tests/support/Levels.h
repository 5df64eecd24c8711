#pragma once
// Level measures of recorded or generated sound.
#include <algorithm>
#include <cmath>
#include <vector>

inline float PeakOf(const std::vector<float>& s, size_t from = 0, size_t to = SIZE_MAX) {
    float peak = 0.0f;
    for (size_t i = from; i < std::min(to, s.size()); ++i) peak = std::max(peak, std::fabs(s[i]));
    return peak;
}

inline float RmsOf(const std::vector<float>& s, size_t from = 0, size_t to = SIZE_MAX) {
    to = std::min(to, s.size());
    if (from >= to) return 0.0f;
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
    return static_cast<float>(std::sqrt(sum / static_cast<double>(to - from)));
}

inline float Decibels(float level) { return 20.0f * std::log10(std::max(level, 1e-9f)); }
