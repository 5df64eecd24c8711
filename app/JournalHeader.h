#pragma once
// The first line of a journal: what an input script does not carry. A journal is an input script
// whose first line is "#!journal 1 ..." (a comment to a reader that does not know journals), naming the
// scene and stage it was played in, the saved progress at its start, the clock's value in its first
// frame, whether the scene started inside that frame (entered from another scene) or before it, and
// the values carried into the scene from the one before: the fade, the player's shared values and pad
// 0's buttons, sticks and triggers of the frame before, and the sound slots playing by the game's clock;
// and the player's look and keys when they are not the defaults.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct JournalHeader {
    static constexpr int kVersion = 1;
    int scene = 0;
    int stage = 0;
    int progress = 1;
    uint32_t clock = 0;
    bool startsInFrame = false;
    std::array<int, 2> fade{};        // mode, phase
    std::array<float, 3> fadeValues{};  // alpha, bar height, bar timer
    std::array<float, 3> shared{};    // move speed, yaw, walk yaw
    std::array<int, 3> sharedCounts{};  // trail timer, fire held, jump held
    std::array<float, 6> grounds{};   // last ground, walk ground
    std::array<int, 3> padBefore{};   // buttons, stick bits, trigger bits
    std::vector<std::array<uint32_t, 3>> sounds;  // slot, looping, start (ms)
    // The player's settings that the logic reads: the mouse's look (percent, inverted) and the keys
    // (forward, backward, left, right, jump, fire). Written only where they differ from the defaults;
    // a journal without them was played with the defaults.
    std::array<int, 2> look{100, 0};
    std::array<int, 6> keys{'W', 'S', 'A', 'D', 0x20, 0x01};
};

// True when the line is a journal's first line (whether or not it is well formed).
bool IsJournalHeaderLine(const std::string& line);
// Reads a header line; on failure false with a message saying what is wrong.
bool ParseJournalHeader(const std::string& line, JournalHeader& header, std::string& error);
// The header line, without its line end; floats are written so that they read back exactly.
std::string WriteJournalHeader(const JournalHeader& header);
