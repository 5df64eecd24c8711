#pragma once
// The game's sound effects, synthesised: mono, 44100 Hz, each normalised to its own peak level so that
// effects sit at sensible loudness against one another.
#include <string>
#include <vector>

#include "tools/sound/Wave.h"

struct Effect {
    const char* file;  // under the content tree
    float peakDb;      // peak level below full scale
    Wave (*make)();
};

const std::vector<Effect>& Effects();
