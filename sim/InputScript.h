#pragma once
// Scripted input for the headless runner. Each line "FROM[-TO] TOKEN..." holds its tokens during
// frames FROM to TO inclusive; '#' starts a comment. A journal (app/Journal.h) is a script whose first
// line is its header, and whose CLOCK tokens set the clock of the frames from there on.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/FrameInput.h"
#include "app/JournalHeader.h"
#include "platform/input/Input.h"

class InputScript {
public:
    // Parses a script; on failure returns false and sets error to "LINE: what is wrong".
    bool Parse(const std::string& text, std::string& error);

    // The input of a frame (1-based): keys and buttons of every line that covers it, thumb values of
    // the last such line that sets them, mouse movements added up.
    FrameInput At(int frame) const;
    // True when any line uses a pad token: pad 0 is then connected from frame 1.
    bool UsesPad() const { return usesPad; }
    // A journal's header; none for a plain script.
    const std::optional<JournalHeader>& Header() const { return header; }
    // The clock in a frame: the latest CLOCK at or before it moved on 16 ms a frame, or the header's
    // clock in frame 1 moved on the same way.
    uint32_t ClockAt(int frame) const;
    // The last frame any line covers (0 for none).
    int LastFrame() const { return lastFrame; }

private:
    struct Line {
        int from = 0;
        int to = 0;
        std::vector<int> keys;
        WORD buttons = 0;
        std::array<bool, 4> thumbSet{};
        std::array<SHORT, 4> thumbs{};  // LX, LY, RX, RY
        std::array<bool, 2> triggerSet{};
        std::array<BYTE, 2> triggers{};  // LT, RT
        int mouseDx = 0;
        int mouseDy = 0;
    };
    struct ClockMark {
        int frame;
        uint32_t ms;
    };
    bool ParseToken(const std::string& token, Line& line, std::string& error);
    bool ParseValue(const std::string& name, const std::string& value, Line& line, std::string& error);

    std::vector<Line> lines;
    bool usesPad = false;
    std::optional<JournalHeader> header;
    std::vector<ClockMark> clockMarks;  // in frame order
    int lastFrame = 0;
};
