#pragma once
// Every spot the player can stand on from a start, by the movement rules of the player's probes:
// walking steps up anything lower than its wall ray (0.7 above the feet) and falls off anything;
// a jump starts at 0.3 a frame less 0.015 a frame, moves 0.07 a frame (0.175 with ice under the
// feet), is stopped by a wall its ray meets 0.1 above the feet and by a ceiling 1.7 above them, and
// lands on whatever is under its feet; the player may stop in the air and drop straight down.
#include <vector>

#include "tools/reach/ColumnGrid.h"

namespace reach {

struct Spot {
    int i, j;
    float y;
};

struct FloodResult {
    std::vector<Spot> reached;
    std::vector<Spot> escapes;  // steps onto columns with nothing at all below
};

FloodResult Flood(const ColumnGrid& grid, const D3DXVECTOR3& start, bool ice);

}  // namespace reach
