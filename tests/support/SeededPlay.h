#pragma once
// A runner script of seeded play: runs of 10 to 70 frames from frame `from` on, each holding a few of
// the walking keys, the gun, a jump and a turn, so that ice patches lie about and the statues and
// flames run.
#include <random>
#include <string>

inline std::string SeededPlay(unsigned seed, int from, int frames) {
    std::mt19937 random(seed);
    const char* tokens[] = {"W", "W", "A", "D", "S", "SPACE", "LBUTTON", "MOUSE=8,0", "MOUSE=-6,1"};
    std::string script;
    for (int f = from; f < from + frames;) {
        const int last = std::min(from + frames - 1, f + 10 + static_cast<int>(random() % 61));
        std::string held;
        for (const char* token : tokens) if (random() % 3 == 0) held.append(" ").append(token);
        if (!held.empty()) script.append(std::to_string(f)).append("-").append(std::to_string(last)).append(held).append("\n");
        f = last + 1;
    }
    return script;
}
