#pragma once
// The journal of the scene being played: its header and every frame's input with the clock the logic
// read in that frame, from the frame the scene started. It is written as an input script with the
// header as its first line, and read back through the script reader (sim/InputScript.h).
#include <cstdint>
#include <string>
#include <vector>

#include "app/FrameInput.h"
#include "app/JournalHeader.h"

class InputScript;

struct JournalFrame {
    FrameInput input;
    uint32_t clock = 0;
    bool padConnected = false;
};

class Journal {
public:
    // Starts afresh; the header's clock is the first frame's.
    void Begin(const JournalHeader& start);
    void Append(const FrameInput& input, uint32_t clock, bool padConnected);
    // Keeps the first frames frames.
    void Cut(int frames);

    const JournalHeader& Header() const { return header; }
    int Frames() const { return static_cast<int>(frames.size()); }
    // Frame 1 is the first.
    const JournalFrame& At(int frame) const { return frames[static_cast<size_t>(frame - 1)]; }
    bool Started() const { return started; }

    // The script text: the header, then one line for each run of frames that hold the same input,
    // with CLOCK where a frame's clock is not 16 ms after the one before.
    std::string Write() const;

private:
    JournalHeader header;
    std::vector<JournalFrame> frames;
    bool started = false;
};

// The tokens of one frame's input, as a script line holds them (empty when nothing is held).
std::string FrameTokens(const FrameInput& input);
// Reads a journal (the text of a file); false with a message when it is empty, cut, not a journal
// or damaged. The script keeps what was read.
bool ReadJournal(const std::string& text, InputScript& script, std::string& error);
