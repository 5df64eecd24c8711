#pragma once
// The player's bones: names, parents and bind-pose offsets, in model units (the figure is about 170
// units tall, feet at y = 0, facing -z; its right hand is on the -x side).
#include <map>
#include <string>
#include <vector>

#include "tools/xmodels/XWriter.h"

namespace xmodels {

struct BoneDef {
    const char* name;
    const char* parent;  // "" for the root bone
    D3DXVECTOR3 offset;  // from the parent's joint
};

const std::vector<BoneDef>& PlayerBones();
// Each bone's joint position in the bind pose, as a translation matrix.
std::map<std::string, D3DXMATRIX> PlayerBindPose();

// A pose: per bone a rotation (pitch about x, yaw about y, roll about z, in degrees) and a shift of
// the hips. Bones not named keep the bind pose.
struct Pose {
    std::map<std::string, D3DXVECTOR3> angles;
    D3DXVECTOR3 hipShift{0, 0, 0};
};
struct KeyedPose {
    float time;  // seconds
    Pose pose;
};
struct Motion {
    std::string name;
    std::vector<KeyedPose> keys;
};

// Key lists for every bone of the skeleton from the keyed poses.
XAnimationSet ToAnimationSet(const Motion& motion, uint32_t ticksPerSecond);
std::vector<Motion> PlayerMotions();

}  // namespace xmodels
