#include "app/Journal.h"

#include <utility>

#include "sim/InputScript.h"

namespace {

struct Named {
    int code;
    const char* name;
};

constexpr Named kKeys[] = {{'W', "W"},         {'A', "A"},         {'S', "S"},           {'D', "D"},
                           {'R', "R"},         {VK_SPACE, "SPACE"}, {VK_ESCAPE, "ESC"},   {VK_LBUTTON, "LBUTTON"},
                           {VK_BACK, "REWIND"}, {VK_F8, "F8"},      {'P', "P"},           {'O', "O"},
                           {VK_UP, "UP"},       {VK_DOWN, "DOWN"},   {VK_LEFT, "LEFT"},    {VK_RIGHT, "RIGHT"},
                           {VK_RETURN, "RETURN"}, {VK_RBUTTON, "RBUTTON"}, {VK_SHIFT, "SHIFT"}};

constexpr Named kButtons[] = {
    {XINPUT_GAMEPAD_A, "PAD_A"},         {XINPUT_GAMEPAD_B, "PAD_B"},
    {XINPUT_GAMEPAD_START, "PAD_START"}, {XINPUT_GAMEPAD_BACK, "PAD_BACK"},
    {XINPUT_GAMEPAD_LEFT_SHOULDER, "PAD_LSHOULDER"}, {XINPUT_GAMEPAD_RIGHT_SHOULDER, "PAD_RSHOULDER"},
    {XINPUT_GAMEPAD_DPAD_UP, "PAD_UP"},  {XINPUT_GAMEPAD_DPAD_DOWN, "PAD_DOWN"},
    {XINPUT_GAMEPAD_DPAD_LEFT, "PAD_LEFT"}, {XINPUT_GAMEPAD_DPAD_RIGHT, "PAD_RIGHT"}};

const char* KeyName(int vk) {
    for (const Named& key : kKeys)
        if (key.code == vk) return key.name;
    return nullptr;
}

void AddValue(std::string& out, const char* name, int value) {
    if (value) out.append(" ").append(name).append("=").append(std::to_string(value));
}

}  // namespace

std::string FrameTokens(const FrameInput& in) {
    std::string out;
    for (int vk = 1; vk < kVirtualKeyCount; ++vk) {
        if (!in.keys[vk]) continue;
        const char* name = KeyName(vk);
        if (name) out.append(" ").append(name);
        else AddValue(out, "KEY", vk);
    }
    WORD unnamed = in.pad.wButtons;
    for (const Named& button : kButtons) {
        if (!(in.pad.wButtons & button.code)) continue;
        out.append(" ").append(button.name);
        unnamed = static_cast<WORD>(unnamed & ~button.code);
    }
    AddValue(out, "BUTTONS", unnamed);
    AddValue(out, "LX", in.pad.sThumbLX);
    AddValue(out, "LY", in.pad.sThumbLY);
    AddValue(out, "RX", in.pad.sThumbRX);
    AddValue(out, "RY", in.pad.sThumbRY);
    AddValue(out, "LT", in.pad.bLeftTrigger);
    AddValue(out, "RT", in.pad.bRightTrigger);
    if (in.mouseDx || in.mouseDy)
        out.append(" MOUSE=").append(std::to_string(in.mouseDx)).append(",").append(std::to_string(in.mouseDy));
    return out;
}

void Journal::Begin(const JournalHeader& start) {
    header = start;
    frames.clear();
    started = true;
}

void Journal::Append(const FrameInput& input, uint32_t clock, bool padConnected) {
    if (frames.empty()) header.clock = clock;
    frames.push_back(JournalFrame{input, clock, padConnected});
}

void Journal::Cut(int count) {
    if (count >= 0 && count < Frames()) frames.resize(static_cast<size_t>(count));
}

std::string Journal::Write() const {
    std::string out = WriteJournalHeader(header) + "\n";
    size_t i = 0;
    while (i < frames.size()) {
        // A run: frames after the first that hold the same input, each 16 ms after the one before.
        const std::string tokens = FrameTokens(frames[i].input);
        const bool marked = i > 0 ? frames[i].clock != frames[i - 1].clock + 16u : false;
        size_t end = i + 1;
        while (end < frames.size() && frames[end].clock == frames[end - 1].clock + 16u &&
               frames[end].input == frames[i].input)
            ++end;
        if (!tokens.empty() || marked) {
            out.append(std::to_string(i + 1));
            if (end - i > 1) out.append("-").append(std::to_string(end));
            out.append(tokens);
            if (marked) out.append(" CLOCK=").append(std::to_string(frames[i].clock));
            out.append("\n");
        }
        i = end;
    }
    // The length of the journal: its last frame, even when nothing was held in it, with the clock it
    // has anyway; a file without this line was cut short.
    const size_t last = frames.empty() ? 1 : frames.size();
    const uint32_t clock = frames.empty() ? header.clock : frames.back().clock;
    out.append(std::to_string(last)).append(" CLOCK=").append(std::to_string(clock)).append(" # end\n");
    return out;
}

bool ReadJournal(const std::string& text, InputScript& script, std::string& error) {
    if (text.empty()) {
        error = "the file is empty";
        return false;
    }
    if (!script.Parse(text, error)) return false;
    if (!script.Header()) {
        error = "not a journal (its first line is no \"#!journal\" header)";
        return false;
    }
    if (text.find("# end\n") == std::string::npos) {
        error = "the journal is cut short (its end line is missing)";
        return false;
    }
    return true;
}
