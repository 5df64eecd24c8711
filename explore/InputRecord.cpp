#include "explore/InputRecord.h"

#include <utility>

namespace {

// The keyboard tokens of the runner's scripts, in the order they are written.
const std::pair<const char*, int> kKeys[] = {{"W", 'W'},         {"A", 'A'},           {"S", 'S'},
                                             {"D", 'D'},         {"R", 'R'},           {"SPACE", VK_SPACE},  {"ESC", VK_ESCAPE},
                                             {"LBUTTON", VK_LBUTTON}};

bool Same(const FrameInput& a, const FrameInput& b) {
    return a.keys == b.keys && a.mouseDx == b.mouseDx && a.mouseDy == b.mouseDy;
}

}  // namespace

void InputRecord::Add(const FrameInput& frame) { frames.push_back(frame); }

std::string InputRecord::Tokens(const FrameInput& frame) {
    std::string out;
    for (const auto& [name, key] : kKeys) {
        if (!frame.keys[key]) continue;
        if (!out.empty()) out += ' ';
        out += name;
    }
    if (frame.mouseDx || frame.mouseDy) {
        if (!out.empty()) out += ' ';
        out += "MOUSE=";
        out += std::to_string(frame.mouseDx);
        out += ',';
        out += std::to_string(frame.mouseDy);
    }
    return out;
}

std::string InputRecord::Script(int count) const {
    std::string out;
    const size_t end = std::min(frames.size(), static_cast<size_t>(std::max(count, 0)));
    for (size_t first = 0; first < end;) {
        size_t last = first;
        while (last + 1 < end && Same(frames[last + 1], frames[first])) ++last;
        const std::string tokens = Tokens(frames[first]);
        if (!tokens.empty()) {
            out += std::to_string(first + 1);
            if (last > first) {
                out += '-';
                out += std::to_string(last + 1);
            }
            out += ' ';
            out += tokens;
            out += '\n';
        }
        first = last + 1;
    }
    return out;
}
