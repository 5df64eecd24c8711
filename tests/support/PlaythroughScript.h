#pragma once
// The playthrough scripts (tests/sim/playthrough/) as lines to chain into longer runs.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"

// A script's lines with their frame numbers moved on by offset, comments dropped; lines starting past
// `last` (a script frame, 0: none) are dropped and ranges reaching past it end there.
inline std::vector<std::string> ShiftedScript(const std::string& script, int offset, int last = 0) {
    std::vector<std::string> out;
    std::istringstream in(ReadFile((std::filesystem::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough" / script).string()));
    const Pattern frames(R"(^(\d+)(-(\d+))?(\s.*)$)");
    for (std::string line; std::getline(in, line);) {
        const PatternMatch m = frames.Whole(line);
        if (!m) continue;
        const int from = std::stoi(m[1]);
        int to = m.took[3] ? std::stoi(m[3]) : 0;
        if (last && from > last) continue;
        if (last && to > last) to = last;
        std::ostringstream moved;
        moved << from + offset;
        if (to) moved << '-' << to + offset;
        moved << m[4];
        out.push_back(moved.str());
    }
    return out;
}
