#pragma once
// The frames of input a run was given, kept to be written as a veldorin-sim input script: runs of
// equal frames become one "FROM-TO TOKENS" line.
#include <string>
#include <vector>

#include "sim/InputScript.h"

class InputRecord {
public:
    void Add(const FrameInput& frame);
    // The script of frames 1 .. count (every frame when count is larger).
    std::string Script(int count) const;
    int Frames() const { return static_cast<int>(frames.size()); }
    const FrameInput& At(int frame) const { return frames[static_cast<size_t>(frame - 1)]; }

    // The tokens of one frame, space-separated; empty when nothing is held or moved.
    static std::string Tokens(const FrameInput& frame);

private:
    std::vector<FrameInput> frames;
};
