#pragma once
// One explorer run: a fresh game at the start of a place, with a chosen saved progress, fed input a
// frame at a time (from the planner or from a case's script) for up to a number of frames, every rule
// checked after every frame. The run stops at the first broken rule or when the game quits.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "explore/InputRecord.h"
#include "explore/RuleChecker.h"

class ScratchTree;

struct Place {
    const char* name;
    int scene;
    int stage;
};
// The hub (the title scene after the start click), stage 1 and stage 2.
const std::vector<Place>& Places();
const Place* FindPlace(const std::string& name);

struct RunResult {
    int frames = 0;           // frames run
    bool broke = false;
    bool quit = false;        // the game ended itself (Esc on the title)
    Violation violation;
    size_t peakObjects = 0;
    size_t peakFlames = 0;
    std::vector<std::string> stage;  // what the checker derived for the last stage it saw
};

// The input of a frame (1-based), asked for just before the frame runs.
using FrameSource = std::function<FrameInput(int frame)>;

RunResult PlayRun(ScratchTree& tree, const Place& place, std::optional<int> progress, int frames,
                  const FrameSource& source, InputRecord& record);
