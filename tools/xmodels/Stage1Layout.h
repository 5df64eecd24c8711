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
// Walls that must block rise to kWallTop (at least 3.6 above every floor beside them); doorways are
// 3 high under a lintel.
#include <vector>

#include "platform/math/D3DXMath.h"

namespace xmodels::stage1 {

constexpr float kWallTop = 4.2f;
constexpr float kDeep = -4.0f;  // the walls' and slabs' common bottom
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
// The pit, its floor and the stairs back up along the left wall (seven steps rising toward -z).
constexpr float kPitZ0 = 66.0f, kPitZ1 = 71.0f;
constexpr float kPitFloor = -3.6f;
constexpr float kStairX1 = -4.6f;
constexpr int kStairSteps = 7;
constexpr float kStairRise = 0.45f, kStairRun = 0.6f;
// The gun's dais in the treasury.
constexpr float kDaisX = -2.0f, kDaisZ = 28.0f, kDaisRadius = 1.8f, kDaisHeight = 0.15f;

// Where the placement file puts things (the dump tests and the solve script rely on them too).
constexpr float kPlayerStartZ = -2.5f;
constexpr float kSwitch1X = -3.5f, kSwitch1Z = 17.7f;  // 1.3 before wall 1: a box pushed there stops on it
constexpr float kBox1Z = 14.0f;
// A spring switch's plate sinks 0.3 below its rest; the floor under it lies lower than that, or a box
// standing on it would come to rest on the floor with the plate only part way down.
constexpr float kSwitchHole = 0.5f;
constexpr float kSwitchHoleFloor = -0.5f;
constexpr float kSwitch2Z = 50.5f;
constexpr float kBox2Z = 41.0f;
constexpr float kGoalZ = 78.0f;

// What a block is made of, for the drawn map.
enum class Surface { Wall, Lintel, YardFloor, HallFloor, TreasuryFloor, TrenchFloor, LaneFloor, Grating, GapFloor,
                     PitFloor, Stair, Dais };

struct Block {
    D3DXVECTOR3 lo;
    D3DXVECTOR3 hi;
    Surface surface;
};

// Every solid of the stage, walls first.
std::vector<Block> Blocks();

}  // namespace xmodels::stage1
