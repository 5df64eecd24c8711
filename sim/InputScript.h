#pragma once
// Scripted input for the headless runner. Each line "FROM[-TO] TOKEN..." holds its tokens during
// frames FROM to TO inclusive; '#' starts a comment.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input/Input.h"

// What the devices hold during one frame.
struct FrameInput {
    std::array<bool, kVirtualKeyCount> keys{};
    XINPUT_GAMEPAD pad{};
    int mouseDx = 0;
    int mouseDy = 0;
};

class InputScript {
public:
    // Parses a script; on failure returns false and sets error to "LINE: what is wrong".
    bool Parse(const std::string& text, std::string& error);

    // The input of a frame (1-based): keys and buttons of every line that covers it, thumb values of
    // the last such line that sets them, mouse movements added up.
    FrameInput At(int frame) const;
    // True when any line uses a pad token: pad 0 is then connected from frame 1.
    bool UsesPad() const { return usesPad; }

private:
    struct Line {
        int from = 0;
        int to = 0;
        std::vector<int> keys;
        WORD buttons = 0;
        std::array<bool, 4> thumbSet{};
        std::array<SHORT, 4> thumbs{};  // LX, LY, RX, RY
        int mouseDx = 0;
        int mouseDy = 0;
    };
    bool ParseToken(const std::string& token, Line& line, std::string& error);

    std::vector<Line> lines;
    bool usesPad = false;
};
