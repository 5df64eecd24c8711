#pragma once
// A place as the reach check sees it: its placement file read with the game's own line parser, the
// collision meshes of the map and of every solid placed object loaded with the game's .x loader and
// cut into a column grid, with the gates not yet open standing closed.
#include <memory>
#include <string>

#include "tools/reach/ColumnGrid.h"
#include "tools/reach/PlaceRules.h"

namespace reach {

struct PlaceModel {
    std::unique_ptr<ColumnGrid> grid;
    D3DXVECTOR3 start{0, 0, 0};
    bool hasStart = false;
    int solids = 0;          // meshes put into the grid
    float statueTop = 0.0f;  // the rolling statue's top, 0 without one
};

// The place with gates[0 .. open - 1] open and the rest closed. Files that cannot be read leave
// their solids out (a missing map gives an empty grid).
PlaceModel LoadPlace(const std::string& root, const PlaceRules& rules, size_t open);

}  // namespace reach
