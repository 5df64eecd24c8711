// The first stage's solid blocks (see Stage1Layout.h for the plan they follow).
#include "tools/xmodels/Stage1Layout.h"

#include <algorithm>

namespace xmodels::stage1 {
namespace {

void Add(std::vector<Block>& blocks, float x0, float y0, float z0, float x1, float y1, float z1, Surface s) {
    blocks.push_back({{x0, y0, z0}, {x1, y1, z1}, s});
}

// A cross wall one unit thick from z, open between x0 and x1 under a lintel.
void WallWithOpening(std::vector<Block>& blocks, float z, float x0, float x1) {
    Add(blocks, -kHalfWidth, kDeep, z, x0, kWallTop, z + 1, Surface::Wall);
    Add(blocks, x1, kDeep, z, kHalfWidth, kWallTop, z + 1, Surface::Wall);
    Add(blocks, x0, kDoorTop, z, x1, kWallTop, z + 1, Surface::Lintel);
}

}  // namespace

std::vector<Block> Blocks() {
    std::vector<Block> b;
    const float w = kHalfWidth;
    // The outer walls.
    Add(b, -w - 1, kDeep, kBackWall, -w, kWallTop, kEndWall + 1, Surface::Wall);
    Add(b, w, kDeep, kBackWall, w + 1, kWallTop, kEndWall + 1, Surface::Wall);
    Add(b, -w, kDeep, kBackWall, w, kWallTop, kBackWall + 1, Surface::Wall);
    Add(b, -w, kDeep, kEndWall, w, kWallTop, kEndWall + 1, Surface::Wall);
    // The three cross walls: door 1, the open arch, door 2.
    WallWithOpening(b, kWall1, kDoorX - 1, kDoorX + 1);
    WallWithOpening(b, kWall2, -kArchHalf, kArchHalf);
    WallWithOpening(b, kWall3, kDoorX - 1, kDoorX + 1);
    // The yard, a jump below the hall, and the hall and treasury floors.
    Add(b, -w, kDeep, kBackWall + 1, w, kYardFloor, kStepZ, Surface::YardFloor);
    // The hall's floor has a hole under switch 1, so that the plate can sink its full depth under a box.
    const float h = kSwitchHole, sx = kSwitch1X, sz = kSwitch1Z;
    Add(b, -w, kDeep, kStepZ, sx - h, 0, kWall1 + 1, Surface::HallFloor);
    Add(b, sx + h, kDeep, kStepZ, w, 0, kWall1 + 1, Surface::HallFloor);
    Add(b, sx - h, kDeep, kStepZ, sx + h, 0, sz - h, Surface::HallFloor);
    Add(b, sx - h, kDeep, sz + h, sx + h, 0, kWall1 + 1, Surface::HallFloor);
    Add(b, sx - h, kDeep, sz - h, sx + h, kSwitchHoleFloor, sz + h, Surface::HallFloor);
    for (float side : {-1.0f, 1.0f}) {
        const float face = sx + side * kLaneHalf, outer = face + side * kRailThick;
        Add(b, std::min(face, outer), 0, kStepZ, std::max(face, outer), kRailTop, kWall1, Surface::Rail);
    }
    Add(b, -w, kDeep, kWall1 + 1, w, 0, kWall2 + 1, Surface::TreasuryFloor);
    Add(b, kDaisX - kDaisRadius, 0, kDaisZ - kDaisRadius, kDaisX + kDaisRadius, kDaisHeight, kDaisZ + kDaisRadius,
        Surface::Dais);
    // The trench hall: floor round the sunken lane, the lane, and the grating over its far part.
    const float z0 = kWall2 + 1, z1 = kWall3 + 1;
    Add(b, -w, kDeep, z0, kTrenchX0, 0, z1, Surface::TrenchFloor);
    Add(b, kTrenchX1, kDeep, z0, w, 0, z1, Surface::TrenchFloor);
    Add(b, kTrenchX0, kDeep, z0, kTrenchX1, 0, kTrenchZ0, Surface::TrenchFloor);
    Add(b, kTrenchX0, kDeep, kTrenchZ1, kTrenchX1, 0, z1, Surface::TrenchFloor);
    Add(b, kTrenchX0, kDeep, kTrenchZ0, kTrenchX1, kTrenchFloor, kTrenchZ1, Surface::LaneFloor);
    Add(b, kTrenchX0, -kGrateThickness, kGrateZ, kTrenchX1, 0, kTrenchZ1, Surface::Grating);
    // The gap: the run-up, the pit with its stairs, and the far side with the goal.
    Add(b, -w, kDeep, z1, w, 0, kPitZ0, Surface::GapFloor);
    Add(b, -w, kDeep, kPitZ0, w, kPitFloor, kPitZ1, Surface::PitFloor);
    Add(b, -w, kDeep, kPitZ1, w, 0, kEndWall, Surface::GapFloor);
    for (int k = 1; k <= kStairSteps; ++k) {
        const float near = kPitZ0 + kStairRun * static_cast<float>(kStairSteps - k);
        Add(b, -w, kPitFloor, near, kStairX1, kPitFloor + kStairRise * static_cast<float>(k), near + kStairRun,
            Surface::Stair);
    }
    return b;
}

}  // namespace xmodels::stage1
