#pragma once
// The ground plan of the first stage, "The Frozen Courtyard": one list of solid blocks that both the
// drawn map and its collision mesh are built from, and the spots where the placement file puts the
// stage's objects. The stage runs along +z between two side walls at x = -6 and 6:
//   yard      z -7 .. 5    floor -1.2: the start, a ledge to jump up at z = 5
//   hall      z  5 .. 19   floor 0: a wood box to push onto a switch; door 1 at z 19 .. 20
//   treasury  z 20 .. 34   a chest, then the cold gun floating on a dais; an open arch at z 34 .. 35
//   trench    z 35 .. 55   a box in a sunken lane that runs under a grating over a latching switch;
//                          door 2 at z 55 .. 56
//   gap       z 56 .. 82   a pit too wide to jump, cleared by a long jump off an ice patch; the goal
// Walls that must block rise to kWallTop: a jump (3.15 up) from the highest thing that can be stood on
// beside them (a crate or barrel, 1 up) stays more than a unit below their tops. Doorways are 3 high
// under a lintel.
#include <vector>

#include "platform/math/D3DXMath.h"

namespace xmodels::stage1 {

constexpr float kWallTop = 5.4f;
constexpr float kDeep = -4.5f;  // the walls' and slabs' common bottom
constexpr float kHalfWidth = 6.0f;
constexpr float kYardFloor = -1.2f;
constexpr float kStepZ = 5.0f;
constexpr float kDoorTop = 3.0f;
// Cross walls: their near face; each is one unit thick.
constexpr float kBackWall = -8.0f;
constexpr float kWall1 = 19.0f;
constexpr float kWall2 = 34.0f;
constexpr float kWall3 = 55.0f;
constexpr float kEndWall = 82.0f;
constexpr float kDoorX = 2.5f;     // both doors' middles; they are 2 wide and slide into the wall at +x
constexpr float kArchHalf = 1.5f;  // the treasury's open arch, centred on x = 0
// The sunken lane of the trench hall and the grating over its far part.
constexpr float kTrenchX0 = -5.0f, kTrenchX1 = -3.0f;
constexpr float kTrenchZ0 = 37.0f, kTrenchZ1 = 54.0f;
constexpr float kTrenchFloor = -1.4f;
constexpr float kGrateZ = 46.0f;
constexpr float kGrateThickness = 0.1f;
// The pit, its floor and the stairs back up along the left wall (eight steps rising toward -z). The
// steps keep to the near half of the pit: from each, the far side lies higher or farther than a jump.
constexpr float kPitZ0 = 66.0f, kPitZ1 = 71.0f;
constexpr float kPitFloor = -4.0f;
constexpr float kStairX1 = -4.6f;
constexpr int kStairSteps = 8;
constexpr float kStairRise = 0.45f, kStairRun = 0.4f;
// The gun's dais in the treasury.
constexpr float kDaisX = -2.0f, kDaisZ = 28.0f, kDaisRadius = 1.8f, kDaisHeight = 0.15f;

// Where the placement file puts things (the dump tests and the solve script rely on them too).
constexpr float kPlayerStartZ = -2.5f;
constexpr float kSwitch1X = -3.5f, kSwitch1Z = 17.7f;  // 1.3 before wall 1: a box pushed there stops on it
constexpr float kBox1Z = 14.0f;
// Box 1 runs in a lane between two wooden rails from the yard's ledge to wall 1. A box keeps its
// centre 1.3 from a face it is pushed at, so a lane 2.6 wide holds it on the switch's line: it can
// go nowhere but along the lane, stops on the switch at the north end and drops off the ledge at the
// south end (and comes back where it stood). The rails are too high to step over (a jump clears them).
constexpr float kLaneHalf = 1.3f;
constexpr float kRailThick = 0.2f;
constexpr float kRailTop = 0.9f;
// A spring switch's plate sinks 0.3 below its rest; the floor under it lies lower than that, or a box
// standing on it would come to rest on the floor with the plate only part way down.
constexpr float kSwitchHole = 0.5f;
constexpr float kSwitchHoleFloor = -0.5f;
constexpr float kSwitch2Z = 50.5f;
constexpr float kBox2Z = 41.0f;
constexpr float kGoalZ = 78.0f;

// What a block is made of, for the drawn map.
enum class Surface { Wall, Lintel, YardFloor, HallFloor, TreasuryFloor, TrenchFloor, LaneFloor, Grating, GapFloor,
                     PitFloor, Stair, Dais, Rail };

struct Block {
    D3DXVECTOR3 lo;
    D3DXVECTOR3 hi;
    Surface surface;
};

// Every solid of the stage, walls first.
std::vector<Block> Blocks();

}  // namespace xmodels::stage1
