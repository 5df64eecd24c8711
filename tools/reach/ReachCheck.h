#pragma once
// The reach check of one place: for each gate in turn, the spots the player reaches with the gates
// before it open and the rest closed, and among them every spot the design does not allow there:
// outside every room (a wall top, beyond the outer walls, off the map) or in a room behind a gate
// still closed.
#include <string>
#include <vector>

#include "tools/reach/PlaceRules.h"

namespace reach {

struct Finding {
    std::string gate;  // the first gate still closed ("" with all open)
    std::string what;  // "outside the rooms", "off the map" or "behind <gate>"
    D3DXVECTOR3 at;
};

struct PlaceReport {
    std::string place;
    bool loaded = false;  // the placement named a player and the map gave solids
    int spots = 0;        // spots reached over all the checks
    std::vector<Finding> findings;
};

PlaceReport CheckPlace(const std::string& root, const PlaceRules& rules);
// Every finding on one line each, and a last line saying whether the place is sound.
std::string Describe(const PlaceReport& report, size_t maxLines);

}  // namespace reach
