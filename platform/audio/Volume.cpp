#include "platform/audio/Volume.h"

#include <algorithm>
#include <cmath>

float GainFromVolume(long volume) {
    const long clamped = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
    if (clamped == DSBVOLUME_MIN) return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(clamped) / 2000.0));
}
