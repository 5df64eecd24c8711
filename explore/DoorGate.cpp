#include "explore/DoorGate.h"

#include <cmath>

#include "objects/CDoor.h"
#include "objects/Player.h"

std::unique_ptr<Gate> DoorGate::Make(CDoor& door, const GateContext& context) {
    Aabb home;
    if (!context.bounds.Of(door, home)) return nullptr;
    auto gate = std::unique_ptr<DoorGate>(new DoorGate(door, home));
    const D3DXVECTOR3 size = home.Size(), centre = home.Centre();
    // The door is thin across the way through it.
    const bool acrossX = size.x < size.z;
    const float start = acrossX ? context.playerStart.x : context.playerStart.z;
    const float middle = acrossX ? centre.x : centre.z;
    const float sign = start < middle ? 1.0f : -1.0f;
    gate->normal = acrossX ? D3DXVECTOR3(sign, 0, 0) : D3DXVECTOR3(0, 0, sign);
    const float halfThick = (acrossX ? size.x : size.z) * 0.5f;
    gate->farFace = sign * middle + halfThick;
    const D3DXVECTOR3 side = Across(gate->normal);
    D3DXVECTOR3 behind = centre + gate->normal * (halfThick + kBehind);
    behind.y = home.lo.y + 1.0f;
    const float along = D3DXVec3Dot(&behind, &side);
    gate->sideHi = along + DistanceToSolid(context.solids, behind, side, 60.0f);
    gate->sideLo = along - DistanceToSolid(context.solids, behind, -side, 60.0f);
    return gate;
}

bool DoorGate::Pass(const Player& player, std::string& broken) {
    if (door.open) solved = true;
    if (solved) return true;
    const D3DXVECTOR3 p = player.Position();
    const float past = D3DXVec3Dot(&p, &normal) - farFace;
    const D3DXVECTOR3 side = Across(normal);
    const float along = D3DXVec3Dot(&p, &side);
    if (past <= kMargin || along < sideLo || along > sideHi || p.y > home.hi.y + kReachUp) return true;
    broken = "the player at " + Format(p) + " is " + std::to_string(past) + " past the door at " +
             Format(home.Centre()) + ", which has never opened";
    return false;
}

std::string DoorGate::Describe() const {
    return "door at " + Format(home.Centre()) + ": far side along " + Format(normal) + " past " +
           std::to_string(farFace) + ", across " + std::to_string(sideLo) + " .. " + std::to_string(sideHi);
}
