#pragma once
// Sound volumes are given in hundredths of a decibel: 0 is full level, -10000 silence.
constexpr long DSBVOLUME_MAX = 0;
constexpr long DSBVOLUME_MIN = -10000;

// The linear gain of a volume: 10^(volume / 2000), with the volume clamped to -10000 .. 0.
float GainFromVolume(long volume);
