#pragma once
// What each place is meant to allow: the rooms the player may stand in, in the order the gates
// between them open, and the gates themselves. A gate is a door of the placement (closed as placed),
// a solid standing in for something that blocks the way until solved (the rolling statue's lane,
// the fire lane), or nothing at all where only the floor plan stops the player (the pit, crossed on
// ice alone).
#include <string>
#include <vector>

#include "platform/math/D3DXMath.h"

namespace reach {

struct Area {
    float x0, z0, x1, z1;
    bool Holds(float x, float z) const { return x >= x0 && x < x1 && z >= z0 && z < z1; }
};

struct Gate {
    std::string name;
    int door = -1;  // which CDoor of the placement, in file order; -1 for none
    bool blocks = false;
    D3DXVECTOR3 blockLo{0, 0, 0}, blockHi{0, 0, 0};  // the stand-in solid while closed
    bool crossedOnIce = false;  // checked without the ice's long jumps: ice is what opens it
    bool statueHigh = false;    // the solid rises to the top of the placed rolling statue
};

struct PlaceRules {
    std::string name;
    std::string placement;  // under the content root
    // The rooms: zone k may be entered once the gates before it are open. A room may be several
    // areas; anything outside every area is a wall top or outside the place.
    std::vector<std::vector<Area>> zones;
    std::vector<Gate> gates;  // gates[k] leads from zone k into zone k + 1 and later ones
    int iceFrom = 0;          // the first check (by number of open gates) with ice under the feet
    Area bounds;              // the floor plan the check looks at, walls and some outside included
};

const std::vector<PlaceRules>& Places();
const PlaceRules* FindPlace(const std::string& name);

}  // namespace reach
