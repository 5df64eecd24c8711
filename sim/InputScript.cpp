#include "sim/InputScript.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <sstream>

namespace {

bool ParseInt(const std::string& text, long long min, long long max, long long& out) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && out >= min && out <= max;
}

const std::map<std::string, int>& KeyTokens() {
    static const std::map<std::string, int> keys = {
        {"W", 'W'}, {"A", 'A'}, {"S", 'S'}, {"D", 'D'}, {"R", 'R'},
        {"SPACE", VK_SPACE}, {"ESC", VK_ESCAPE}, {"LBUTTON", VK_LBUTTON},
        {"REWIND", VK_BACK}, {"F8", VK_F8}, {"P", 'P'}, {"O", 'O'}, {"UP", VK_UP}, {"DOWN", VK_DOWN},
        {"LEFT", VK_LEFT}, {"RIGHT", VK_RIGHT}, {"RETURN", VK_RETURN}, {"RBUTTON", VK_RBUTTON},
        {"SHIFT", VK_SHIFT},
    };
    return keys;
}

const std::map<std::string, WORD>& PadTokens() {
    static const std::map<std::string, WORD> buttons = {
        {"PAD_A", XINPUT_GAMEPAD_A},
        {"PAD_B", XINPUT_GAMEPAD_B},
        {"PAD_START", XINPUT_GAMEPAD_START},
        {"PAD_RSHOULDER", XINPUT_GAMEPAD_RIGHT_SHOULDER},
        {"PAD_UP", XINPUT_GAMEPAD_DPAD_UP},
        {"PAD_DOWN", XINPUT_GAMEPAD_DPAD_DOWN},
        {"PAD_LEFT", XINPUT_GAMEPAD_DPAD_LEFT},
        {"PAD_RIGHT", XINPUT_GAMEPAD_DPAD_RIGHT},
        {"PAD_BACK", XINPUT_GAMEPAD_BACK},
        {"PAD_LSHOULDER", XINPUT_GAMEPAD_LEFT_SHOULDER},
    };
    return buttons;
}

// The largest mouse movement, in either direction and along either axis, of one token and of one
// frame's total.
constexpr long long kMouseLimit = 100000;

bool WithinMouseLimit(long long total) { return total >= -kMouseLimit && total <= kMouseLimit; }

// Lines overlap: a frame's movement is the sum over every line that covers it. Walking the frames where
// a line starts or ends, the sums must stay within the limit; on failure, line is the latest line
// started by then.
struct MouseStep {
    long long frame;
    long long dx, dy;
    int line;  // the line that starts here, or 0 where one ends
};

bool FrameTotalsWithinLimit(std::vector<MouseStep> steps, int& line) {
    std::sort(steps.begin(), steps.end(), [](const MouseStep& a, const MouseStep& b) { return a.frame < b.frame; });
    long long dx = 0, dy = 0;
    int latest = 0;
    for (size_t i = 0; i < steps.size();) {
        const long long frame = steps[i].frame;
        for (; i < steps.size() && steps[i].frame == frame; ++i) {
            dx += steps[i].dx;
            dy += steps[i].dy;
            latest = std::max(latest, steps[i].line);
        }
        if (!WithinMouseLimit(dx) || !WithinMouseLimit(dy)) {
            line = latest;
            return false;
        }
    }
    return true;
}

constexpr const char* kThumbNames[4] = {"LX", "LY", "RX", "RY"};

}  // namespace

bool InputScript::ParseToken(const std::string& token, Line& line, std::string& error) {
    if (auto key = KeyTokens().find(token); key != KeyTokens().end()) {
        line.keys.push_back(key->second);
        return true;
    }
    // Any other letter or digit stands for its own key (a control may be bound to it).
    if (token.size() == 1 && (std::isupper(static_cast<unsigned char>(token[0])) || std::isdigit(static_cast<unsigned char>(token[0])))) {
        line.keys.push_back(token[0]);
        return true;
    }
    if (auto button = PadTokens().find(token); button != PadTokens().end()) {
        line.buttons |= button->second;
        usesPad = true;
        return true;
    }
    const size_t eq = token.find('=');
    if (eq != std::string::npos) return ParseValue(token.substr(0, eq), token.substr(eq + 1), line, error);
    error = "unknown token '" + token + "'";
    return false;
}

bool InputScript::ParseValue(const std::string& name, const std::string& value, Line& line, std::string& error) {
    const std::string token = name + "=" + value;
    for (int i = 0; i < 4; ++i) {
        if (name != kThumbNames[i]) continue;
        long long v = 0;
        if (!ParseInt(value, -32768, 32767, v)) {
            error = "thumb value out of range or not a number in '" + token + "'";
            return false;
        }
        line.thumbSet[i] = true;
        line.thumbs[i] = static_cast<SHORT>(v);
        usesPad = true;
        return true;
    }
    if (name == "LT" || name == "RT") {
        long long v = 0;
        if (!ParseInt(value, 0, 255, v)) {
            error = "a trigger takes 0 to 255, not '" + token + "'";
            return false;
        }
        const int i = name == "LT" ? 0 : 1;
        line.triggerSet[i] = true;
        line.triggers[i] = static_cast<BYTE>(v);
        usesPad = true;
        return true;
    }
    long long v = 0;
    if (name == "KEY") {
        if (!ParseInt(value, 1, kVirtualKeyCount - 1, v)) {
            error = "KEY takes a virtual-key code from 1 to 255, not '" + token + "'";
            return false;
        }
        line.keys.push_back(static_cast<int>(v));
        return true;
    }
    if (name == "BUTTONS") {
        if (!ParseInt(value, 0, 0xFFFF, v)) {
            error = "BUTTONS takes a pad button mask from 0 to 65535, not '" + token + "'";
            return false;
        }
        line.buttons |= static_cast<WORD>(v);
        usesPad = true;
        return true;
    }
    if (name == "CLOCK") {
        if (!ParseInt(value, 0, 0xFFFFFFFFll, v)) {
            error = "CLOCK takes milliseconds from 0 to 4294967295, not '" + token + "'";
            return false;
        }
        clockMarks.push_back({line.from, static_cast<uint32_t>(v)});
        return true;
    }
    if (name == "MOUSE") {
        const size_t comma = value.find(',');
        long long dx = 0, dy = 0;
        if (comma == std::string::npos || !ParseInt(value.substr(0, comma), -kMouseLimit, kMouseLimit, dx) ||
            !ParseInt(value.substr(comma + 1), -kMouseLimit, kMouseLimit, dy)) {
            error = "MOUSE needs two whole numbers, as in MOUSE=40,0: '" + token + "'";
            return false;
        }
        // Each sum stays within the limit, so it never leaves the range of an int.
        if (!WithinMouseLimit(line.mouseDx + dx) || !WithinMouseLimit(line.mouseDy + dy)) {
            error = "the MOUSE movements of one line add up to more than " + std::to_string(kMouseLimit);
            return false;
        }
        line.mouseDx += static_cast<int>(dx);
        line.mouseDy += static_cast<int>(dy);
        return true;
    }
    error = "unknown token '" + token + "'";
    return false;
}

uint32_t InputScript::ClockAt(int frame) const {
    uint32_t base = header ? header->clock : 0;
    int from = 1;
    for (const ClockMark& mark : clockMarks) {
        if (mark.frame > frame) break;
        base = mark.ms;
        from = mark.frame;
    }
    return base + static_cast<uint32_t>(frame - from) * 16u;
}

bool InputScript::Parse(const std::string& text, std::string& error) {
    lines.clear();
    usesPad = false;
    header.reset();
    clockMarks.clear();
    lastFrame = 0;
    std::istringstream in(text);
    std::string raw;
    std::vector<MouseStep> mouseSteps;
    for (int number = 1; std::getline(in, raw); ++number) {
        if (number == 1 && IsJournalHeaderLine(raw)) {
            JournalHeader read;
            if (!ParseJournalHeader(raw, read, error)) {
                error = "1: " + error;
                return false;
            }
            header = read;
            continue;
        }
        const std::string content = raw.substr(0, raw.find('#'));
        std::istringstream words(content);
        std::string range;
        if (!(words >> range)) continue;  // blank or comment-only line

        Line line;
        const size_t dash = range.find('-');
        long long from = 0, to = 0;
        const bool rangeOk = dash == std::string::npos
                                 ? ParseInt(range, 1, 1000000000, from) && (to = from, true)
                                 : ParseInt(range.substr(0, dash), 1, 1000000000, from) &&
                                       ParseInt(range.substr(dash + 1), 1, 1000000000, to);
        if (!rangeOk || to < from) {
            error = std::to_string(number) + ": '" + range + "' is not a frame or a frame range FROM-TO";
            return false;
        }
        line.from = static_cast<int>(from);
        line.to = static_cast<int>(to);
        std::string token;
        bool any = false;
        while (words >> token) {
            any = true;
            std::string what;
            if (!ParseToken(token, line, what)) {
                error = std::to_string(number) + ": " + what;
                return false;
            }
        }
        if (!any) {
            error = std::to_string(number) + ": no input tokens after the frames";
            return false;
        }
        if (line.mouseDx != 0 || line.mouseDy != 0) {
            mouseSteps.push_back({line.from, line.mouseDx, line.mouseDy, number});
            mouseSteps.push_back({static_cast<long long>(line.to) + 1, -line.mouseDx, -line.mouseDy, 0});
        }
        lastFrame = std::max(lastFrame, line.to);
        lines.push_back(std::move(line));
    }
    std::stable_sort(clockMarks.begin(), clockMarks.end(),
                     [](const ClockMark& a, const ClockMark& b) { return a.frame < b.frame; });
    if (int at = 0; !FrameTotalsWithinLimit(std::move(mouseSteps), at)) {
        error = std::to_string(at) + ": with the lines before it, a frame's MOUSE movements add up to more than " +
                std::to_string(kMouseLimit);
        lines.clear();
        return false;
    }
    return true;
}

FrameInput InputScript::At(int frame) const {
    FrameInput input;
    for (const Line& line : lines) {
        if (frame < line.from || frame > line.to) continue;
        for (int key : line.keys) input.keys[key] = true;
        input.pad.wButtons |= line.buttons;
        SHORT* thumbs[4] = {&input.pad.sThumbLX, &input.pad.sThumbLY, &input.pad.sThumbRX, &input.pad.sThumbRY};
        for (int i = 0; i < 4; ++i) {
            if (line.thumbSet[i]) *thumbs[i] = line.thumbs[i];
        }
        if (line.triggerSet[0]) input.pad.bLeftTrigger = line.triggers[0];
        if (line.triggerSet[1]) input.pad.bRightTrigger = line.triggers[1];
        input.mouseDx += line.mouseDx;
        input.mouseDy += line.mouseDy;
    }
    return input;
}
