#include "explore/FireLaneGate.h"

#include <cmath>

#include "objects/CFlameStatue.h"
#include "objects/Player.h"

std::unique_ptr<Gate> FireLaneGate::Make(CFlameStatue& statue, const GateContext& context) {
    auto gate = std::unique_ptr<FireLaneGate>(new FireLaneGate());
    gate->origin = statue.Position();
    const D3DXVECTOR3 ahead(0, 0, 1);
    D3DXVec3TransformNormal(&gate->forward, &ahead, &statue.rotMat);
    gate->forward.y = 0.0f;
    if (D3DXVec3Length(&gate->forward) < 0.5f) return nullptr;  // breathing straight up or down: no lane
    D3DXVec3Normalize(&gate->forward, &gate->forward);
    // The wall in front, measured at head height a little ahead of the statue's own body.
    const D3DXVECTOR3 head = gate->origin + D3DXVECTOR3(0, 2.0f, 0) + gate->forward;
    gate->length = 1.0f + DistanceToSolid(context.solids, head, gate->forward, 60.0f);
    gate->halfBand = CFlameStatue::kPushReach * 0.5f;
    return gate;
}

// -1 or 1 beside the band, 0 inside it; beside the lane's ends it is 0 as well, as nothing burns there.
int FireLaneGate::Side(const D3DXVECTOR3& p) const {
    const D3DXVECTOR3 d = p - origin;
    const D3DXVECTOR3 side = Across(forward);
    const float along = D3DXVec3Dot(&d, &forward), across = D3DXVec3Dot(&d, &side);
    if (along < -halfBand || along > length) return 2;
    if (across < -halfBand) return -1;
    return across > halfBand ? 1 : 0;
}

bool FireLaneGate::Pass(const Player& player, std::string& broken) {
    const D3DXVECTOR3 p = player.Position();
    const int side = Side(p);
    if (side == 2) {  // past the lane's ends: no crossing can be under way
        clean = true;
        return true;
    }
    if (side == 0) {
        if (clean && !OnIceSlide(player)) entered = p;
        clean = clean && OnIceSlide(player);
        return true;
    }
    const bool crossed = lastSide != 0 && side != lastSide && !clean;
    lastSide = side;
    const bool wasClean = clean;
    clean = true;
    if (!crossed || wasClean) return true;
    broken = "the player crossed the fire lane to " + Format(p) + " without an ice slide (on foot in the lane at " +
             Format(entered) + ")";
    return false;
}

std::string FireLaneGate::Describe() const {
    return "fire lane from " + Format(origin) + " along " + Format(forward) + " for " + std::to_string(length) +
           ", band +-" + std::to_string(halfBand);
}
