#pragma once
// Cuts a place's drawn map into pieces that the draw culling can leave out one by one. Cut lines
// across the floor plan (x and z) make a grid of cells; a face lying wholly within one cell goes to
// that cell's piece, a face reaching across a cut line (the long walls and floors) to one shared
// piece, the first. So every cell's piece stays inside its cell and leaves the view with it. Each
// piece keeps the vertices and materials its faces use, in their order in the whole map, so that
// the pieces drawn together are the whole map.
#include <string>
#include <vector>

#include "tools/xmodels/XWriter.h"

namespace xmodels {

struct FloorPlanCuts {
    std::vector<float> x;  // ascending
    std::vector<float> z;  // ascending
    // The shared piece and then one per cell, row by row along z.
    size_t PieceCount() const { return 1 + (x.size() + 1) * (z.size() + 1); }
};

// The pieces of a one-frame, one-mesh map model, named "<mesh name>_<k>", in the order above.
std::vector<XModel> CutMap(const XModel& whole, const FloorPlanCuts& cuts);

// Writes the pieces as "<stem>_0.x", "<stem>_1.x" …; false when a file cannot be written or a
// piece is empty (the cuts must leave something in every cell: the placement names each piece).
bool WriteMapPieces(const std::string& stem, const XModel& whole, const FloorPlanCuts& cuts);

}  // namespace xmodels
