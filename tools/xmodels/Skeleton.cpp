#include "tools/xmodels/Skeleton.h"

#include <cmath>

namespace xmodels {

const std::vector<BoneDef>& PlayerBones() {
    static const std::vector<BoneDef> bones = {
        {"Hips", "", {0, 95, 0}},
        {"Spine", "Hips", {0, 12, 0}},
        {"Chest", "Spine", {0, 16, 0}},
        {"Neck", "Chest", {0, 20, 0}},
        {"Head", "Neck", {0, 7, 0}},
        {"L_UpperArm", "Chest", {18, 15, 0}},
        {"L_LowerArm", "L_UpperArm", {1, -27, 0}},
        {"L_Hand", "L_LowerArm", {0, -24, 0}},
        {"R_UpperArm", "Chest", {-18, 15, 0}},
        {"R_LowerArm", "R_UpperArm", {-1, -27, 0}},
        {"R_Hand", "R_LowerArm", {0, -24, 0}},
        {"L_Thigh", "Hips", {9, -6, 0}},
        {"L_Shin", "L_Thigh", {0, -41, 0}},
        {"L_Foot", "L_Shin", {0, -40, 0}},
        {"R_Thigh", "Hips", {-9, -6, 0}},
        {"R_Shin", "R_Thigh", {0, -41, 0}},
        {"R_Foot", "R_Shin", {0, -40, 0}},
    };
    return bones;
}

std::map<std::string, D3DXMATRIX> PlayerBindPose() {
    std::map<std::string, D3DXVECTOR3> joint;
    std::map<std::string, D3DXMATRIX> out;
    for (const BoneDef& b : PlayerBones()) {
        const D3DXVECTOR3 at = (*b.parent ? joint[b.parent] : D3DXVECTOR3(0, 0, 0)) + b.offset;
        joint[b.name] = at;
        D3DXMatrixTranslation(&out[b.name], at.x, at.y, at.z);
    }
    return out;
}

XAnimationSet ToAnimationSet(const Motion& motion, uint32_t ticksPerSecond) {
    XAnimationSet set;
    set.name = motion.name;
    for (const BoneDef& b : PlayerBones()) {
        XBoneKeys keys;
        keys.bone = b.name;
        for (const KeyedPose& k : motion.keys) {
            const uint32_t tick = static_cast<uint32_t>(std::lround(k.time * static_cast<float>(ticksPerSecond)));
            auto found = k.pose.angles.find(b.name);
            const D3DXVECTOR3 a = found != k.pose.angles.end() ? found->second : D3DXVECTOR3(0, 0, 0);
            D3DXMATRIX r;
            D3DXMatrixRotationYawPitchRoll(&r, D3DXToRadian(a.y), D3DXToRadian(a.x), D3DXToRadian(a.z));
            D3DXQUATERNION q;
            D3DXQuaternionRotationMatrix(&q, &r);
            if (!keys.rotation.empty()) {
                // Keep neighbouring keys on the same side of the quaternion sphere.
                const D3DXQUATERNION& p = keys.rotation.back().second;
                if (p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w < 0) q = D3DXQUATERNION(-q.x, -q.y, -q.z, -q.w);
            }
            keys.rotation.push_back({tick, q});
            keys.scale.push_back({tick, D3DXVECTOR3(1, 1, 1)});
            const D3DXVECTOR3 shift = std::string(b.name) == "Hips" ? k.pose.hipShift : D3DXVECTOR3(0, 0, 0);
            keys.position.push_back({tick, b.offset + shift});
        }
        set.bones.push_back(keys);
    }
    return set;
}

}  // namespace xmodels
