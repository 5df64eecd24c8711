#include "explore/PitGate.h"

#include <cmath>

#include "objects/ObjectList.h"
#include "objects/Player.h"

std::unique_ptr<Gate> PitGate::Make(const GateContext& context) {
    CharacterBase* goal = FirstOfKind(KIND_GOAL);
    if (!goal) return nullptr;
    auto gate = std::unique_ptr<PitGate>(new PitGate());
    gate->start = context.playerStart;
    D3DXVECTOR3 way = goal->Position() - context.playerStart;
    way.y = 0.0f;
    const float distance = D3DXVec3Length(&way);
    if (distance < kStep) return nullptr;
    gate->way = way / distance;
    float level = context.playerStart.y, top = 0.0f;
    bool inPit = false;
    for (float t = 0.0f; t <= distance; t += kStep) {
        const D3DXVECTOR3 at = context.playerStart + gate->way * t;
        if (!context.solids.GroundBelow(at.x, at.z, level + kClimb, top)) continue;
        if (!inPit && top < level - kJumpRise) {
            inPit = true;
            gate->nearRim = t;
            gate->rimHeight = level;
            gate->depth = level - top;
        } else if (inPit && top > gate->rimHeight - 0.5f) {
            gate->farRim = t;
            gate->rimHeight = top;
            return gate;
        } else if (!inPit) {
            level = top;
        }
    }
    return nullptr;
}

bool PitGate::Pass(const Player& player, std::string& broken) {
    const D3DXVECTOR3 p = player.Position(), d = p - start;
    const float along = D3DXVec3Dot(&d, &way);
    const bool iceAir = player.inAir && player.iceMomentum;
    const bool wasFar = onFarSide;
    if (along > farRim + kMargin && p.y > rimHeight - 0.5f) onFarSide = true;
    else if (along < farRim - kMargin || p.y < rimHeight - 0.5f) onFarSide = false;
    const bool legal = iceAir || iceAirBefore;
    iceAirBefore = iceAir;
    if (!onFarSide || wasFar || legal) return true;
    broken = "the player reached the far rim of the pit at " + Format(p) + " without a jump from an ice slide";
    return false;
}

std::string PitGate::Describe() const {
    return "pit " + std::to_string(depth) + " deep from " + std::to_string(nearRim) + " to " + std::to_string(farRim) +
           " along " + Format(way) + " from " + Format(start);
}
